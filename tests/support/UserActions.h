#pragma once

// Drives a window as its user would: a click on a named button, a tick of a named timer. The
// widgets are found by their object names, so a test reaches nothing a user could not.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QString>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <gtest/gtest.h>

// A left click near the left end of the button: on the indicator of a radio button or check box
// (whose label may not reach the middle), inside a push button. Nothing happens when it is
// disabled.
inline void ClickButton(const QObject& window, const QString& name)
{
    auto* button = window.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    const int half = button->height() / 2;
    QTest::mouseClick(
        button, Qt::LeftButton, Qt::NoModifier, QPoint(std::min(half, button->width() / 2), half));
}

// One tick of the timer, delivered at once as if its interval had just run out.
inline void TickTimer(const QObject& window, const QString& name)
{
    auto* timer = window.findChild<QTimer*>(name);
    ASSERT_NE(timer, nullptr) << name.toStdString();
    ASSERT_TRUE(timer->isActive()) << name.toStdString() << " is stopped: it cannot time out";
    ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection)) << name.toStdString();
}

// A menu entry chosen, as a click on it does.
inline void ChooseMenuEntry(const QObject& window, const QString& name)
{
    auto* action = window.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name.toStdString();
    action->trigger();
}

// Types `text` over what an editable combo box shows and presses Enter, as a user finishing the
// edit does (a listed text is then also chosen from the list, as Qt's combo box does).
inline void TypeIntoCombo(QComboBox& combo, const QString& text)
{
    QLineEdit* edit = combo.lineEdit();
    ASSERT_NE(edit, nullptr) << combo.objectName().toStdString();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}
