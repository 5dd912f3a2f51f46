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

EcuFrame RequestOf(std::uint8_t choice)
{
    constexpr int RequestKinds = 4;
    constexpr int ActuatorPatterns = 10; // 0..9, the unused ones included
    switch (choice % RequestKinds) {
    case 0:
        return IdentifyRequest();
    case 1:
        return ResetRequest();
    case 2:
        return ActuatorRequest(choice / RequestKinds % ActuatorPatterns, choice);
    default:
        return ReadDataRequest(PollAddressList { choice, 1, 2, 3, 4, 5, 6, 7 });
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
            // The request the next byte names: its echo and reply may follow in the input.
            receiver.RequestSent(RequestOf(input.empty() ? 0 : input.front()));
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
