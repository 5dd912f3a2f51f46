// Reads any bytes as a settings file, reads and writes keys, and checks that writing a key
// never disturbs what the other keys read and that the text reads back the same.
#include "ini/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniFile file = IniFile::FromText(text);
    if (file.Text() != text)
        std::abort();

    const int sampleRate = file.ReadInteger("Comms", "SampleRate", 100);
    const std::string tempUnits = file.ReadString("Display", "TempUnits", "C");
    (void)file.ReadBool("Form", "InitMax", false);

    // A value taken from the input itself, line breaks and all.
    const std::string_view value = text.substr(0, std::min<std::size_t>(text.size(), 40));
    file.WriteString("File", "File Path", value);
    file.WriteInteger("Form", "Top", static_cast<int>(size));

    const IniFile reread = IniFile::FromText(file.Text());
    if (reread.ReadInteger("Form", "Top", -1) != static_cast<int>(size))
        std::abort();
    if (reread.ReadInteger("Comms", "SampleRate", 100) != sampleRate)
        std::abort();
    if (reread.ReadString("Display", "TempUnits", "C") != tempUnits)
        std::abort();
    return 0;
}
