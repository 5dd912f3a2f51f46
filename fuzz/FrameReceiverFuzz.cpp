// Feeds the frame receiver a script made from the input: bytes arrive in chunks of random
// sizes, as real reads do, with requests sent and time-outs taken in between.
#include "link/FrameReceiver.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

enum class Step : std::uint8_t { Feed, RequestSent, TimeOut };

Step StepOf(std::uint8_t control)
{
    switch (control % 8) {
    case 6:
        return Step::RequestSent;
    case 7:
        return Step::TimeOut;
    default:
        return Step::Feed;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FrameReceiver receiver;
    const FrameReceiver::ReplyHandler handler
        = [](EcuFrameType type, std::span<const std::uint8_t> frameData) {
              if (frameData.size() > EcuFrame::MaxDataBytes || !IsEcuFrameType(type))
                  std::abort();
          };

    std::span<const std::uint8_t> input(data, size);
    while (!input.empty()) {
        const std::uint8_t control = input.front();
        input = input.subspan(1);
        switch (StepOf(control)) {
        case Step::RequestSent:
            receiver.RequestSent();
            break;
        case Step::TimeOut:
            receiver.TimeOut();
            break;
        case Step::Feed: {
            const std::size_t chunk = std::min<std::size_t>(input.size(), 1u + control / 8u);
            receiver.Feed(input.first(chunk), handler);
            input = input.subspan(chunk);
            break;
        }
        }
        if (receiver.DataCount() > EcuFrame::MaxDataBytes || receiver.RxErrorCount() < 0)
            std::abort();
    }
    return 0;
}
