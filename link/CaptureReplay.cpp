#include "link/CaptureReplay.h"

#include "link/EcuFrame.h"

#include <algorithm>
#include <utility>

std::vector<std::vector<std::uint8_t>> RequestFramer::Feed(std::span<const std::uint8_t> bytes)
{
    std::vector<std::vector<std::uint8_t>> frames;
    for (const std::uint8_t byte : bytes) {
        m_partial.push_back(byte);
        if (m_partial.size() < EcuFrame::HeaderBytes)
            continue;
        // A length too short to hold the header ends the frame at the header: garbage written to
        // the line must not swallow the requests after it.
        const std::size_t length = std::max<std::size_t>(m_partial[1], EcuFrame::HeaderBytes);
        if (m_partial.size() >= length)
            frames.push_back(std::exchange(m_partial, {}));
    }
    return frames;
}

std::vector<CaptureExchange> CaptureExchanges(const CaptureLog& log)
{
    std::vector<CaptureExchange> exchanges;
    RequestFramer framer;
    bool writing = false; // part of a request has gone out, not all of it
    // Read while a request was still going out (its echo, as a rule): part of its answer, there
    // at once when it is complete.
    std::vector<TimedBytes> readWhileWriting;
    for (const CaptureChunk& chunk : log.chunks) {
        if (chunk.direction == CaptureDirection::Read) {
            if (writing)
                readWhileWriting.push_back({ 0, chunk.bytes });
            else if (!exchanges.empty())
                exchanges.back().answer.push_back({ chunk.ms - exchanges.back().requestMs, chunk.bytes });
            continue;
        }
        for (std::size_t i = 0; i < chunk.bytes.size(); ++i) {
            const auto frames = framer.Feed(std::span(chunk.bytes).subspan(i, 1));
            writing = frames.empty();
            for (const auto& frame : frames)
                exchanges.push_back({ frame, chunk.ms, std::exchange(readWhileWriting, {}) });
        }
    }
    return exchanges;
}

CaptureReplay::CaptureReplay(const CaptureLog& log)
{
    for (CaptureExchange& exchange : CaptureExchanges(log))
        m_answers[exchange.request].inTurn.push_back(std::move(exchange.answer));
}

std::vector<TimedBytes> CaptureReplay::Transfer(std::span<const std::uint8_t> written)
{
    std::vector<TimedBytes> out;
    for (const std::vector<std::uint8_t>& request : m_framer.Feed(written)) {
        const auto found = m_answers.find(request);
        if (m_ended || found == m_answers.end())
            continue;
        Answers& answers = found->second;
        if (answers.next == answers.inTurn.size()) {
            m_ended = true;
            continue;
        }
        const std::vector<TimedBytes>& answer = answers.inTurn[answers.next++];
        out.insert(out.end(), answer.begin(), answer.end());
    }
    return out;
}
