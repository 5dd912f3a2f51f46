// Reads the input as a capture file. What is read must write back to lines that read the same,
// never go back in time, and replay and count without a fault; what is refused names its line.
#include "link/CaptureFile.h"
#include "link/CaptureReplay.h"
#include "link/CaptureSummary.h"

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

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CaptureRead read = ParseCapture(text);
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
            for (const TimedBytes& answer : replay.Transfer(chunk.bytes))
                Require(answer.delayMs >= 0);
        }
    }
    return 0;
}
