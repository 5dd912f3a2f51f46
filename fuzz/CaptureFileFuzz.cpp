// Reads the input as a capture file. What is read must write back to lines that read the same,
// never go back in time, and replay and count without a fault; what is refused names its line.
// Read again a few bytes at a time with a short bound on a line, it must give the same chunks up
// to the first line beyond the bound, and refuse that line by its number.
#include "capture/CaptureFile.h"
#include "capture/CaptureReader.h"
#include "capture/CaptureReplay.h"
#include "capture/CaptureSummary.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Half the last decimal a written time keeps, and the rounding of reading it back.
constexpr double WrittenTimeTolerance = 0.0005;
constexpr double RelativeSlack = 1e-15;

// Bounds far below the reader's own, so that short inputs reach them.
constexpr std::size_t SmallLineBound = 48;
constexpr std::size_t SmallBlocks = 7;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The number of the first line longer than `bound` characters (its end not counted); 0 if none.
std::size_t FirstLongLine(std::string_view text, std::size_t bound)
{
    std::size_t number = 1;
    for (std::size_t start = 0; start < text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end - start > bound)
            return number;
        start = end + 1;
    }
    return 0;
}

void RequireSmallBoundsReadTheSame(std::string_view text, const CaptureRead& whole)
{
    const CaptureReadLimits limits { SmallLineBound, 1 + text.size() % SmallBlocks };
    CaptureChunkReader reader(CaptureSource::FromText(std::string(text)), limits);
    std::size_t count = 0;
    while (const std::optional<CaptureChunk> chunk = reader.Next()) {
        Require(count < whole.log.chunks.size() && *chunk == whole.log.chunks[count]);
        ++count;
    }
    const std::size_t longLine = FirstLongLine(text, SmallLineBound);
    // The line an error names ("line 7: ..."); every refusal names one.
    const std::size_t failedLine
        = whole.Ok() ? 0 : std::stoul(whole.error.substr(std::string_view("line ").size()));
    if (longLine == 0 || (failedLine != 0 && failedLine < longLine)) {
        Require(reader.Error() == whole.error && count == whole.log.chunks.size());
        Require(longLine != 0 || reader.TornLastLine() == whole.tornLastLine);
        return;
    }
    Require(reader.Error()
        == "line " + std::to_string(longLine) + " is longer than " + std::to_string(SmallLineBound)
            + " characters, more than any capture line holds");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CaptureRead read = ParseCapture(text);
    RequireSmallBoundsReadTheSame(text, read);
    if (!read.Ok()) {
        Require(read.error.starts_with("line "));
        return 0;
    }
    Require(read.log.baud > 0);

    std::string written = CaptureHeaderText() + CaptureBaudLine(read.log.baud);
    double previous = 0;
    for (const CaptureChunk& chunk : read.log.chunks) {
        Require(chunk.ms >= previous);
        previous = chunk.ms;
        written += CaptureChunkLine(chunk);
    }
    const CaptureRead again = ParseCapture(written);
    Require(again.Ok() && !again.tornLastLine && again.log.baud == read.log.baud);
    Require(again.log.chunks.size() == read.log.chunks.size());
    for (std::size_t i = 0; i < again.log.chunks.size(); ++i) {
        const CaptureChunk& before = read.log.chunks[i];
        const CaptureChunk& after = again.log.chunks[i];
        Require(after.direction == before.direction && after.bytes == before.bytes);
        Require(
            std::fabs(after.ms - before.ms) <= WrittenTimeTolerance + std::fabs(before.ms) * RelativeSlack);
    }

    const CaptureSummary summary = SummarizeCapture(read.log);
    Require(summary.requests == summary.replies + summary.failed && summary.failed >= 0);
    // The program's own requests played against what was read, split as the input says.
    CaptureReplay replay(read.log);
    for (const CaptureChunk& chunk : read.log.chunks) {
        if (chunk.direction == CaptureDirection::Written) {
            std::size_t answered = 0;
            for (const TimedBytes& answer : replay.Transfer(chunk.bytes)) {
                Require(answer.delayMs >= 0);
                answered += answer.bytes.size();
            }
            // Each request a chunk completes gets at most one bounded answer.
            Require(answered <= chunk.bytes.size() * CaptureExchange::MaxAnswerBytes);
        }
    }
    return 0;
}
