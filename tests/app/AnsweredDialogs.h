#pragma once

#include <QString>
#include <QStringList>

// A window part whose file dialog and messages the test answers: the file chosen is `chosen`, and
// every message shown is kept in `messages`.
template <typename Base> class AnsweredDialogs final : public Base {
public:
    using Base::Base;

    QString chosen;
    QStringList messages;

protected:
    QString ChooseFile() override { return chosen; }
    void ShowMessage(const QString& text) override { messages << text; }
};
