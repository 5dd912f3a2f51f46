#include "capture/CaptureSummary.h"

#include "link/FrameReceiver.h"

#include <algorithm>

namespace {

// The request as the receiver expects it; a written frame too long for one is still a request
// that went out, and its reply can then never be recognised.
EcuFrame FrameOf(const std::vector<std::uint8_t>& bytes)
{
    EcuFrame frame;
    frame.length = static_cast<int>(std::min<std::size_t>(bytes.size(), EcuFrame::MaxLength));
    std::copy_n(bytes.begin(), frame.length, frame.bytes.begin());
    return frame;
}

} // namespace

CaptureSummary SummarizeCapture(CaptureExchangeReader& exchanges)
{
    CaptureSummary summary;
    FrameReceiver receiver;
    const FrameReceiver::ReplyHandler handler
        = [&summary](EcuFrameType type, std::span<const std::uint8_t> data) {
              ++summary.replies;
              if (type == etIdentify && summary.ecuId.empty())
                  summary.ecuId = HexByteText(data[0]) + HexByteText(data[1]);
          };
    while (const std::optional<CaptureExchange> exchange = exchanges.Next()) {
        ++summary.requests;
        receiver.RequestSent(FrameOf(exchange->request));
        for (const TimedBytes& read : exchange->answer)
            receiver.Feed(read.bytes, handler);
        // The next request is the end of this one's wait, as a time-out is in the program.
        if (receiver.AwaitingReply())
            receiver.TimeOut();
    }
    summary.failed = summary.requests - summary.replies;
    summary.baud = exchanges.Chunks().Baud();
    summary.durationMs = exchanges.Chunks().LastMs();
    return summary;
}

CaptureSummary SummarizeCapture(const CaptureLog& log)
{
    CaptureExchangeReader exchanges(CaptureSourceOf(log));
    CaptureSummary summary = SummarizeCapture(exchanges);
    // The log's own times, not as its text rounds them.
    summary.durationMs = log.chunks.empty() ? 0 : log.chunks.back().ms;
    return summary;
}

CaptureScan ScanCaptureFile(const std::filesystem::path& path)
{
    CaptureScan scan;
    scan.source = CaptureSource::OpenFile(path, scan.error);
    if (!scan.source)
        return scan;
    CaptureExchangeReader exchanges(scan.source);
    scan.summary = SummarizeCapture(exchanges);
    scan.tornLastLine = exchanges.Chunks().TornLastLine();
    if (!exchanges.Chunks().Error().empty()) {
        scan.error = path.string() + " " + exchanges.Chunks().Error();
        scan.source.reset();
    }
    return scan;
}
