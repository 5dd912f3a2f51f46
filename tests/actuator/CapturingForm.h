#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

// A window whose message boxes are recorded instead of shown.
template <typename Form> class Capturing : public Form {
public:
    using Form::Form;
    QStringList messages;

protected:
    void ShowMessage(const QString& text) override { messages << text; }
};

// The child widget of `form` called `name`; a failure of the test when there is none.
template <typename Widget> Widget* ChildOf(const QWidget& form, const char* name)
{
    auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}
