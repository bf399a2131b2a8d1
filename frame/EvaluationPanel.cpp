#include "frame/EvaluationPanel.h"

#include "core/Scoring.h"
#include "ui/ClickLabel.h"
#include "ui/HoverGroup.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
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
    // A long message must not widen its column and shift the other boxes.
    m_punktemeldung->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    if (errorDisplay)
        m_fehleranzeige = pair("Label6", "Fehleranzeige", "lblFehleranzeige", {});
}

void EvaluationPanel::arrange(Arrangement arrangement, const QRect& geometry)
{
    m_arrangement = arrangement;
    setGeometry(geometry);
    delete layout();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 4, 10, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);

    // The five numbers first, then the messages, then the error display or the links.
    const auto place = [&](int index, int row, int column, int span) {
        grid->addWidget(m_captions[index], row, column, 1, span);
        grid->addWidget(m_values[index], row + 1, column, 1, span);
    };
    const int numbers = 5;
    const int messages = numbers;
    const bool oneRow = arrangement == Arrangement::OneRow;
    for (int i = 0; i < numbers; ++i)
        place(i, 0, i, 1);
    const int row = oneRow ? 0 : 2;
    const int column = oneRow ? numbers : 0;
    const int span = oneRow ? 2 : (m_fehleranzeige || !m_linkLabels.isEmpty() ? 3 : numbers);
    place(messages, row, column, span);
    if (m_fehleranzeige)
        place(messages + 1, row, column + span, 2);
    if (!m_linkLabels.isEmpty()) {
        auto* linkColumn = new QVBoxLayout;
        linkColumn->setSpacing(2);
        for (ClickLabel* link : std::as_const(m_linkLabels))
            linkColumn->addWidget(link);
        linkColumn->addStretch();
        const int first = column + span + (m_fehleranzeige ? 2 : 0);
        grid->addLayout(linkColumn, row, first, 2, std::max(1, numbers - first));
    }
    // In one row the numbers keep the width they need and the messages take the rest.
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnStretch(c, !oneRow || (c >= column && c < column + span) ? 1 : 0);
}

ClickLabel* EvaluationPanel::addLink(const char* name, const QString& text)
{
    ClickLabel* link = namedLink(this, name, text);
    link->setFont(Theme::uiFont(9, true));
    m_links->add(link, Theme::Black);
    m_linkLabels.append(link);
    if (layout())
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
    m_punktemeldung->setText(text);
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
    if (m_fehleranzeige)
        m_fehleranzeige->setText(text);
}

void EvaluationPanel::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over a link reach the panel too, since labels do not track the mouse themselves.
    if (!m_links->contains(childAt(event->position().toPoint())))
        m_links->reset();
    QGroupBox::mouseMoveEvent(event);
}
