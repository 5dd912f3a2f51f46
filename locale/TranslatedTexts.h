#pragma once

#include <QCoreApplication>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// One ECU's definition texts (fault codes, status flags) in the language the windows show, laid
// out as the decoding of the definition tables takes them. A text without a translation stays
// as it is, so the texts that are never shown ("Unimplemented") need none.
template <std::size_t Count> class TranslatedTexts {
public:
    using List = std::array<std::string_view, Count>;

    TranslatedTexts(const char* context, const List& source)
    {
        for (std::size_t i = 0; i < Count; ++i) {
            m_texts[i] = QCoreApplication::translate(context, std::string(source[i]).c_str()).toStdString();
            m_list[i] = m_texts[i];
        }
    }
    // The list points into the texts: neither may be copied apart.
    TranslatedTexts(const TranslatedTexts&) = delete;
    TranslatedTexts& operator=(const TranslatedTexts&) = delete;

    const List& Texts() const { return m_list; }

private:
    std::array<std::string, Count> m_texts;
    List m_list {};
};
