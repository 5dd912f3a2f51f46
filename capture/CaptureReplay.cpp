#include "capture/CaptureReplay.h"

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

void CaptureExchange::AddAnswer(TimedBytes read)
{
    const std::size_t room = MaxAnswerBytes - answerBytes;
    if (room == 0 || answer.size() >= MaxAnswerChunks)
        return;
    if (read.bytes.size() > room)
        read.bytes.resize(room);
    answerBytes += read.bytes.size();
    answer.push_back(std::move(read));
}

CaptureExchangeReader::CaptureExchangeReader(std::shared_ptr<const CaptureSource> source)
    : m_chunks(std::move(source))
{
}

std::optional<CaptureExchange> CaptureExchangeReader::Next()
{
    while (m_finished.empty()) {
        std::optional<CaptureChunk> chunk = m_chunks.Next();
        if (!chunk) {
            if (m_current)
                m_finished.push_back(std::move(*std::exchange(m_current, std::nullopt)));
            break;
        }
        Take(std::move(*chunk));
    }
    if (m_finished.empty())
        return std::nullopt;
    CaptureExchange next = std::move(m_finished.front());
    m_finished.pop_front();
    return next;
}

void CaptureExchangeReader::Take(CaptureChunk chunk)
{
    if (chunk.direction == CaptureDirection::Read) {
        if (m_writing)
            m_readWhileWriting.AddAnswer({ 0, std::move(chunk.bytes) });
        else if (m_current)
            m_current->AddAnswer({ chunk.ms - m_current->requestMs, std::move(chunk.bytes) });
        return;
    }
    for (std::size_t i = 0; i < chunk.bytes.size(); ++i) {
        const auto frames = m_framer.Feed(std::span(chunk.bytes).subspan(i, 1));
        m_writing = frames.empty();
        for (const auto& frame : frames) {
            if (m_current)
                m_finished.push_back(std::move(*m_current));
            CaptureExchange started = std::exchange(m_readWhileWriting, {});
            started.request = frame;
            started.requestMs = chunk.ms;
            m_current = std::move(started);
        }
    }
}

std::shared_ptr<const CaptureSource> CaptureSourceOf(const CaptureLog& log)
{
    std::string text = CaptureHeaderText() + CaptureBaudLine(log.baud);
    for (const CaptureChunk& chunk : log.chunks)
        text += CaptureChunkLine(chunk);
    return CaptureSource::FromText(std::move(text));
}

std::vector<CaptureExchange> CaptureExchanges(const CaptureLog& log)
{
    std::vector<CaptureExchange> exchanges;
    CaptureExchangeReader reader(CaptureSourceOf(log));
    while (std::optional<CaptureExchange> exchange = reader.Next())
        exchanges.push_back(std::move(*exchange));
    return exchanges;
}

CaptureReplay::CaptureReplay(std::shared_ptr<const CaptureSource> source)
    : m_source(std::move(source))
{
}

CaptureReplay::CaptureReplay(const CaptureLog& log)
    : CaptureReplay(CaptureSourceOf(log))
{
}

std::optional<std::vector<TimedBytes>> CaptureReplay::NextAnswer(const std::vector<std::uint8_t>& request)
{
    auto [found, fresh] = m_answers.try_emplace(request);
    Answers& answers = found->second;
    if (fresh)
        answers.reader = std::make_unique<CaptureExchangeReader>(m_source);
    while (answers.reader) {
        std::optional<CaptureExchange> exchange = answers.reader->Next();
        if (!exchange) {
            answers.reader.reset(); // its file block and line go with it
            break;
        }
        if (exchange->request == request) {
            answers.answeredBefore = true;
            return std::move(exchange->answer);
        }
    }
    // Out of answers: for a request the capture holds, that is where the capture ends.
    if (answers.answeredBefore)
        m_ended = true;
    return std::nullopt;
}

std::vector<TimedBytes> CaptureReplay::Transfer(std::span<const std::uint8_t> written)
{
    std::vector<TimedBytes> out;
    for (const std::vector<std::uint8_t>& request : m_framer.Feed(written)) {
        if (m_ended)
            continue;
        if (std::optional<std::vector<TimedBytes>> answer = NextAnswer(request))
            out.insert(
                out.end(), std::make_move_iterator(answer->begin()), std::make_move_iterator(answer->end()));
    }
    return out;
}
