#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cmath>

// The contrast ratio of two colours, from 1 (none) to 21 (black on white), as the
// accessibility guidelines define it.
inline double contrastRatio(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](int component) {
            const double v = component / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
    };
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// A text that a form shows: the colour it is written in, and the colour that most of its
// control's rectangle shows behind it (a button's face, which the style shades, is its palette's
// button colour).
struct ShownText
{
    QString control;
    QString text;
    QColor ink;
    QColor behind;
};

inline QList<ShownText> shownTexts(QWidget* form)
{
    const QImage screen = form->grab().toImage();
    const qreal scale = screen.devicePixelRatio();
    QList<ShownText> texts;
    for (QWidget* control : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isVisibleTo(form))
            continue;
        ShownText shown{control->objectName(), {}, {}, {}};
        if (auto* label = qobject_cast<QLabel*>(control)) {
            shown.text = label->text();
            shown.ink = label->palette().color(QPalette::WindowText);
        } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
            shown.text = box->text();
            shown.ink = box->palette().color(QPalette::Text);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            shown.text = button->text();
            shown.ink = button->palette().color(QPalette::ButtonText);
        }
        if (shown.text.isEmpty())
            continue;
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            shown.behind = button->palette().color(QPalette::Button);
            texts << shown;
            continue;
        }
        const QRect area =
            QRect(control->geometry().topLeft() * scale, control->size() * scale) & screen.rect();
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[screen.pixel(x, y) & 0xffffff];
        const auto most = std::max_element(counts.constKeyValueBegin(), counts.constKeyValueEnd(),
                                           [](auto a, auto b) { return a.second < b.second; });
        shown.behind = QColor::fromRgb(most->first);
        texts << shown;
    }
    return texts;
}

// A dark desktop theme, as a dark KDE colour scheme or Adwaita-Dark sets it.
inline QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}
