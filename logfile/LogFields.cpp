#include "logfile/LogFields.h"

#include "defs/Blanks.h"

std::string_view Trimmed(std::string_view field)
{
    field = WithoutBlanks(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    return field;
}

void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields)
{
    fields.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}
