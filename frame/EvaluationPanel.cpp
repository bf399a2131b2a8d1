#include "frame/EvaluationPanel.h"

#include "core/Scoring.h"
#include "ui/Accessibility.h"
#include "ui/ClickLabel.h"
#include "ui/HoverGroup.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

EvaluationPanel::EvaluationPanel(bool errorDisplay, QWidget* parent)
    : QGroupBox(QStringLiteral("Auswertung"), parent)
    , m_links(new HoverGroup(this, true))
{
    setObjectName(QStringLiteral("fraAuswertung"));
    setMouseTracking(true);
    const auto pair = [this](const char* captionName, const char* caption, const char* valueName,
                          const QString& initial) {
        QLabel* captionLabel = namedLabel(this, captionName, QString::fromUtf8(caption));
        captionLabel->setFont(Theme::uiFont(8));
        QLabel* value = namedLabel(this, valueName, initial);
        value->setFont(Theme::uiFont(9, true));
        Accessibility::readWithCaption(value, captionLabel->text(), QStringLiteral(" "));
        value->setMinimumHeight(20);
        Theme::makeEntryBox(value);
        m_captions.append(captionLabel);
        m_values.append(value);
        return value;
    };
    m_zeit = pair("Label3", "Übungszeit", "lblZeit", QStringLiteral("00:00"));
    m_uhrzeit = pair("Label2", "Uhrzeit", "lblUhrzeit", {});
    m_punktestand = pair("Label4", "Punktestand", "lblPunktestand", QStringLiteral("0000000"));
    m_fehler = pair("Label7", "Fehler", "lblFehler", QStringLiteral("0"));
    m_aufgabe = pair("Label8", "Aufgabe", "lblAufg", QStringLiteral("1"));
    m_punktemeldung = pair("Label5", "Meldungen", "lblPunktemeldung", {});
    m_punktemeldung->setFont(Theme::uiFont(8.5, true));
    if (errorDisplay)
        m_fehleranzeige = pair("Label6", "Fehleranzeige", "lblFehleranzeige", {});
    // Texts follow their caption after a colon, numbers after a blank.
    for (QLabel* text : { m_punktemeldung, m_fehleranzeige }) {
        if (text)
            Accessibility::readWithCaption(
                text, m_captions[m_values.indexOf(text)]->text(), QStringLiteral(": "));
    }
}

void EvaluationPanel::arrange(Arrangement arrangement, const QRect& geometry)
{
    // Fixed places, not a layout: a layout would measure every label again at each new text,
    // once a second for the clock, and let the boxes move as their texts grow.
    m_arrangement = arrangement;
    setGeometry(geometry);
    const QRect area = contentsRect().adjusted(10, 4, -10, -8);
    constexpr int Gap = 10; // between columns
    constexpr int Spacing = 2; // between rows
    constexpr int ValueHeight = 20;
    // As a label measures itself: a font's height alone cuts off the lowest pixel row.
    const int captionHeight = m_captions.first()->sizeHint().height();
    const auto place = [&](int index, int left, int top, int width) {
        m_captions[index]->setGeometry(left, top, width, captionHeight);
        m_values[index]->setGeometry(left, top + captionHeight + Spacing, width, ValueHeight);
    };

    // The five numbers first, then the messages, then the error display or the links.
    constexpr int Numbers = 5;
    const int linksRight = area.right() + 1;
    int left = area.left();
    int top = area.top();
    int column = 0; // of the numbers, in two rows
    int messageWidth = 0;
    if (arrangement == Arrangement::TwoRows) {
        column = (area.width() - (Numbers - 1) * Gap) / Numbers;
        for (int i = 0; i < Numbers; ++i)
            place(i, area.left() + i * (column + Gap), top, column);
        top += captionHeight + Spacing + ValueHeight + Spacing;
        const int span = m_fehleranzeige || !m_linkLabels.isEmpty() ? 3 : Numbers;
        messageWidth = span * column + (span - 1) * Gap;
    } else {
        // The one row sits at the bottom of the panel's inside: the margins would not leave room.
        top = std::min(top, contentsRect().bottom() + 1 - captionHeight - Spacing - ValueHeight);
        // Each number as wide as its caption or its widest value; the messages take the rest.
        static const char* const widest[Numbers]
            = { "00:00", "00:00:00", "-0000000000", "000", "000" };
        for (int i = 0; i < Numbers; ++i) {
            // A framed label indents its text by half an "x".
            const QFontMetrics value(m_values[i]->font());
            const int width = std::max(m_captions[i]->sizeHint().width(),
                value.horizontalAdvance(QLatin1String(widest[i]))
                    + value.horizontalAdvance(QLatin1Char('x')) + 2 * m_values[i]->frameWidth()
                    + 4);
            place(i, left, top, width);
            left += width + Gap;
        }
        int linkWidth = 0;
        for (const ClickLabel* link : std::as_const(m_linkLabels))
            linkWidth = std::max(linkWidth, link->sizeHint().width() + Gap);
        messageWidth = linksRight - left - linkWidth;
    }
    place(Numbers, left, top, messageWidth);
    left += messageWidth + Gap;
    if (m_fehleranzeige) {
        const int width = 2 * column + Gap;
        place(Numbers + 1, left, top, width);
        left += width + Gap;
    }
    for (ClickLabel* link : std::as_const(m_linkLabels)) {
        const int height = QFontMetrics(link->font()).height();
        link->setGeometry(left, top, linksRight - left, height);
        top += height + Spacing;
    }
}

ClickLabel* EvaluationPanel::addLink(const char* name, const QString& text)
{
    ClickLabel* link = namedLink(this, name, {});
    link->setMnemonicText(text);
    link->setFont(Theme::uiFont(9, true));
    m_links->add(link, Theme::Black);
    m_linkLabels.append(link);
    arrange(m_arrangement, geometry());
    return link;
}

void EvaluationPanel::setElapsed(const QString& text)
{
    m_zeit->setText(text);
}

void EvaluationPanel::setTimeOfDay(const QString& text)
{
    m_uhrzeit->setText(text);
}

void EvaluationPanel::setScore(qint64 score)
{
    m_punktestand->setText(formatScore(score));
}

void EvaluationPanel::setMessage(const QString& text)
{
    if (m_punktemeldung->text() == text)
        return;
    m_punktemeldung->setText(text);
    Accessibility::announce(m_punktemeldung);
}

void EvaluationPanel::setErrors(int errors)
{
    m_fehler->setNum(errors);
}

void EvaluationPanel::setTaskNumber(int number)
{
    m_aufgabe->setNum(number);
}

void EvaluationPanel::setErrorHint(const QString& text)
{
    if (!m_fehleranzeige || m_fehleranzeige->text() == text)
        return;
    m_fehleranzeige->setText(text);
    Accessibility::announce(m_fehleranzeige);
}

void EvaluationPanel::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over a link reach the panel too, since labels do not track the mouse themselves.
    if (!m_links->contains(childAt(event->position().toPoint())))
        m_links->reset();
    QGroupBox::mouseMoveEvent(event);
}
