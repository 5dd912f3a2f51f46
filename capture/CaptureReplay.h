#pragma once

#include "capture/CaptureReader.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
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
    // An answer keeps at most this much of what was read (no interface holds more between two
    // reads), so that a capture holding one huge "reply" replays in bounded memory.
    static constexpr std::size_t MaxAnswerBytes = 64 * 1024;
    static constexpr std::size_t MaxAnswerChunks = 1024;

    std::vector<std::uint8_t> request;
    double requestMs = 0; // when its last byte was written
    std::vector<TimedBytes> answer;
    std::size_t answerBytes = 0;

    // Adds what was read, as much of it as the bounds allow.
    void AddAnswer(TimedBytes read);
};

// The capture as pairs of a request and its answer, in the order they happened, read as they
// are needed. Bytes read before the first request belong to none; a request left unfinished at
// the end is left out.
class CaptureExchangeReader {
public:
    explicit CaptureExchangeReader(std::shared_ptr<const CaptureSource> source);

    std::optional<CaptureExchange> Next();
    const CaptureChunkReader& Chunks() const { return m_chunks; }

private:
    void Take(CaptureChunk chunk);

    CaptureChunkReader m_chunks;
    RequestFramer m_framer;
    bool m_writing = false; // part of a request has gone out, not all of it
    // Read while a request was still going out (its echo, as a rule): part of its answer, there
    // at once when it is complete.
    CaptureExchange m_readWhileWriting;
    std::optional<CaptureExchange> m_current; // its answer may go on
    std::deque<CaptureExchange> m_finished;
};

// Every exchange of a capture held in memory.
std::vector<CaptureExchange> CaptureExchanges(const CaptureLog& log);
// The capture's text as a recording would have written it.
std::shared_ptr<const CaptureSource> CaptureSourceOf(const CaptureLog& log);

// The far end of the line as the capture recorded it: each request is answered by what followed
// the same request bytes in the capture, echo included, the recorded answers to it in turn. A
// request the capture never saw gets nothing. Once a request comes whose recorded answers have all
// been given, the capture has ended: that request and every one after it get nothing. The capture
// is read as the requests come, each request reading on from its own last answer.
class CaptureReplay {
public:
    explicit CaptureReplay(std::shared_ptr<const CaptureSource> source);
    explicit CaptureReplay(const CaptureLog& log);

    // The answers to the requests that `written` completes, in order.
    std::vector<TimedBytes> Transfer(std::span<const std::uint8_t> written);
    bool Ended() const { return m_ended; }

private:
    struct Answers {
        std::unique_ptr<CaptureExchangeReader> reader; // gone once it reached the end
        bool answeredBefore = false;
    };

    // The request's next recorded answer; none once they have run out (the capture has then
    // ended, unless it never held the request).
    std::optional<std::vector<TimedBytes>> NextAnswer(const std::vector<std::uint8_t>& request);

    std::shared_ptr<const CaptureSource> m_source;
    std::map<std::vector<std::uint8_t>, Answers> m_answers;
    RequestFramer m_framer;
    bool m_ended = false;
};
