#include "link/CaptureSummary.h"

#include "link/CaptureReplay.h"
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

CaptureSummary SummarizeCapture(const CaptureLog& log)
{
    CaptureSummary summary;
    summary.baud = log.baud;
    if (!log.chunks.empty())
        summary.durationMs = log.chunks.back().ms;

    FrameReceiver receiver;
    const FrameReceiver::ReplyHandler handler
        = [&summary](EcuFrameType type, std::span<const std::uint8_t> data) {
              ++summary.replies;
              if (type == etIdentify && summary.ecuId.empty())
                  summary.ecuId = HexByteText(data[0]) + HexByteText(data[1]);
          };
    for (const CaptureExchange& exchange : CaptureExchanges(log)) {
        ++summary.requests;
        receiver.RequestSent(FrameOf(exchange.request));
        for (const TimedBytes& read : exchange.answer)
            receiver.Feed(read.bytes, handler);
        // The next request is the end of this one's wait, as a time-out is in the program.
        if (receiver.AwaitingReply())
            receiver.TimeOut();
    }
    summary.failed = summary.requests - summary.replies;
    return summary;
}
