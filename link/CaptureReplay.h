#pragma once

#include "link/CaptureFile.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

// Splits the bytes written to the line into request frames by their length byte, whatever chunks
// they come in.
class RequestFramer {
public:
    // The frames that `bytes` completes, in order.
    std::vector<std::vector<std::uint8_t>> Feed(std::span<const std::uint8_t> bytes);

private:
    std::vector<std::uint8_t> m_partial;
};

// Bytes read after a request, `delayMs` after the request's last byte went out.
struct TimedBytes {
    double delayMs = 0;
    std::vector<std::uint8_t> bytes;

    bool operator==(const TimedBytes&) const = default;
};

// One request of a capture and everything read after it until the next request was written.
struct CaptureExchange {
    std::vector<std::uint8_t> request;
    double requestMs = 0; // when its last byte was written
    std::vector<TimedBytes> answer;
};

// The capture as pairs of a request and its answer, in the order they happened. Bytes read before
// the first request belong to none; a request left unfinished at the end is left out.
std::vector<CaptureExchange> CaptureExchanges(const CaptureLog& log);

// The far end of the line as the capture recorded it: each request is answered by what followed
// the same request bytes in the capture, echo included, the recorded answers to it in turn. A
// request the capture never saw gets nothing. Once a request comes whose recorded answers have all
// been given, the capture has ended: that request and every one after it get nothing.
class CaptureReplay {
public:
    explicit CaptureReplay(const CaptureLog& log);

    // The answers to the requests that `written` completes, in order.
    std::vector<TimedBytes> Transfer(std::span<const std::uint8_t> written);
    bool Ended() const { return m_ended; }

private:
    struct Answers {
        std::vector<std::vector<TimedBytes>> inTurn;
        std::size_t next = 0;
    };

    std::map<std::vector<std::uint8_t>, Answers> m_answers;
    RequestFramer m_framer;
    bool m_ended = false;
};
