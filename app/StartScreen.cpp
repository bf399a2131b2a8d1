#include "app/StartScreen.h"

#include "app/ClickLabel.h"
#include "app/ExerciseCatalogue.h"
#include "app/Help.h"
#include "app/ProgramState.h"
#include "app/ScoreFile.h"
#include "app/ScoreStore.h"
#include "app/Scoring.h"
#include "app/Theme.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int Margin = 12;
constexpr int MenuTop = 10;
constexpr int GridTop = 96;
constexpr int CellWidth = 148;
constexpr int CellStep = 154;
constexpr int RowStep = 104;
constexpr int HelpLeft = Theme::px(5985);

QRect cellRect(int k)
{
    constexpr int GridLeft = (Theme::px(9600) - 3 * CellStep - CellWidth) / 2;
    const int row = (k - 1) / 4;
    const int column = (k - 1) % 4;
    return {GridLeft + column * CellStep, GridTop + row * RowStep, CellWidth, RowStep - 8};
}
} // namespace

frmStart::frmStart(ProgramState& state, Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Tambolino"));
    // 9600 x 6735 twips of client area.
    setFixedSize(Theme::px(9600), Theme::px(6735));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_background = Theme::picture(QStringLiteral("start"), size());

    lblBenLaden = menuLabel("lblBenLaden", QStringLiteral("Punktestände laden"), Theme::Black);
    lblBenSpe = menuLabel("lblBenSpe", QStringLiteral("Neue Punktestandsdatei"), Theme::Black);
    lblPunkteLoeschen = menuLabel("lblPunkteLoeschen", QStringLiteral("Punktestände zurücksetzen"),
                                  Theme::Black);
    lblHilfe = menuLabel("lblHilfe", QStringLiteral("Hilfe"), Theme::Black);
    lblProgrammende = menuLabel("lblProgrammende", QStringLiteral("Programm beenden"), Theme::Black);
    for (const int i : {0, 1, 3}) {
        auto* separator = new QLabel(QStringLiteral("|"), this);
        separator->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        separator->setFont(Theme::uiFont(9));
        separator->installEventFilter(this);
        Label1[i] = separator;
    }
    layoutMenuRow();
    connect(lblBenLaden, &ClickLabel::clicked, this, &frmStart::loadScoreFile);
    connect(lblBenSpe, &ClickLabel::clicked, this, &frmStart::newScoreFile);
    connect(lblPunkteLoeschen, &ClickLabel::clicked, this, &frmStart::resetScores);
    connect(lblHilfe, &ClickLabel::clicked, this, &frmStart::subHilfe);
    connect(lblProgrammende, &ClickLabel::clicked, this, &frmStart::endRequested);

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(Theme::uiFont(8));
    lblVersion->setAlignment(Qt::AlignRight);
    lblVersion->setGeometry(width() - Margin - 200, 40, 200, 16);

    lblWeb = menuLabel("lblWeb", vendorCaption(), Theme::Black);
    lblWeb->setFont(Theme::uiFont(8));
    lblWeb->adjustSize();
    lblWeb->move(width() - Margin - lblWeb->width(), 58);
    connect(lblWeb, &ClickLabel::clicked, this, [this] { openVendorPage(m_state, m_platform); });

    for (int k = 1; k <= 12; ++k) {
        const Exercise& entry = exercise(k);
        const QRect cell = cellRect(k);
        ClickLabel* label = menuLabel(entry.entryControl, entry.menuText, Theme::EntryColour);
        label->setFont(Theme::uiFont(11, true));
        label->setGeometry(cell.left() + 6, cell.top() + 4, cell.width() - 12, 20);
        connect(label, &ClickLabel::clicked, this, [this, k] { Q_EMIT exerciseRequested(k); });
        exerciseEntries[k] = label;

        auto* text = new QLabel(entry.description, this);
        text->setObjectName(QStringLiteral("lblText%1").arg(k));
        text->setFont(Theme::uiFont(8));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setGeometry(cell.left() + 6, cell.top() + 26, cell.width() - 12, 46);
        text->installEventFilter(this);
        lblText[k] = text;

        auto* score = new QLabel(scoreLabelText(0), this);
        score->setObjectName(QStringLiteral("lblPunkte(%1)").arg(k));
        score->setFont(Theme::uiFont(8, true));
        score->setGeometry(cell.left() + 6, cell.bottom() - 20, cell.width() - 12, 16);
        lblPunkte[k] = score;
    }

    lblCopyrights = new QLabel(QStringLiteral("© 2026 Das Tambolino-Team"), this);
    lblCopyrights->setObjectName(QStringLiteral("lblCopyrights"));
    lblCopyrights2 = new QLabel(QStringLiteral("Freies Lernprogramm für die Grundschule"), this);
    lblCopyrights2->setObjectName(QStringLiteral("lblCopyrights2"));
    int top = GridTop + 3 * RowStep - 2;
    for (QLabel* line : {lblCopyrights, lblCopyrights2}) {
        line->setFont(Theme::uiFont(7.5));
        line->setGeometry(Margin + 6, top, 400, 14);
        top += 14;
    }
}

ClickLabel* frmStart::menuLabel(const char* name, const QString& text, const QColor& colour)
{
    auto* label = new ClickLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(Theme::uiFont(9, true));
    label->setCursor(Qt::PointingHandCursor);
    Theme::setTextColour(label, colour);
    connect(label, &ClickLabel::entered, label,
            [label] { Theme::setTextColour(label, Theme::HoverColour); });
    return label;
}

void frmStart::layoutMenuRow()
{
    // Left to right with a separator between each pair; "Hilfe" stands at 5985 twips.
    int x = 8;
    const std::array<QWidget*, 6> row {lblBenLaden, Label1[0], lblBenSpe, Label1[1],
                                       lblPunkteLoeschen, Label1[3]};
    for (QWidget* widget : row) {
        widget->setFont(Theme::uiFont(8));
        widget->adjustSize();
        widget->move(x, MenuTop);
        x += widget->width() + 4;
    }
    for (QWidget* widget : {lblHilfe, lblProgrammende}) {
        widget->setFont(Theme::uiFont(8));
        widget->adjustSize();
    }
    lblHilfe->move(std::max(HelpLeft, x), MenuTop);
    lblProgrammende->move(width() - Margin - lblProgrammende->width(), MenuTop);
}

void frmStart::load()
{
    lblVersion->setText(versionText());
    dlgDatei.folder = m_platform.folders.documentsFolder();
    m_state.ScoreTable = ScoreStore::load(m_platform.settings);
    for (int k = 1; k <= 12; ++k)
        showScore(k);
}

std::optional<QString> frmStart::chooseScoreFile(bool forSaving)
{
    const FileDialog::Request request { forSaving ? QStringLiteral("tbo-Datei speichern")
                                                  : QStringLiteral("tbo-Datei öffnen"),
        dlgDatei.folder, dlgDatei.fileName, QStringLiteral("*.tbo") };
    std::optional<QString> chosen
        = forSaving ? m_platform.files.saveFile(request) : m_platform.files.openFile(request);
    if (chosen)
        dlgDatei.fileName = *chosen;
    return chosen;
}

void frmStart::warn(const QString& text, const QString& title)
{
    m_platform.messages.show(text, title, MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void frmStart::loadScoreFile()
{
    const std::optional<QString> chosen = chooseScoreFile(false);
    if (!chosen)
        return;
    // A file that cannot be read whole changes nothing, so that it is never overwritten later.
    const ScoreFile::Result loaded = ScoreFile::load(*chosen);
    if (!loaded.ok()) {
        warn(loaded.error + QStringLiteral("\n\nDie Punktestände wurden nicht verändert."),
            QStringLiteral("Punktestände laden"));
        return;
    }
    if (!handOverCurrentFile(*chosen, QStringLiteral("Punktestände laden")))
        return;
    m_state.ScoreTable = loaded.scores;
    m_state.strPunktedatei = *chosen;
    for (int k = 1; k <= 12; ++k)
        showScoreDigits(k, 6);
}

bool frmStart::handOverCurrentFile(const QString& next, const QString& title)
{
    // The scores earned since the current file was chosen belong to it; they are written
    // before another file takes its place, or they would be lost.
    const QString current = m_state.strPunktedatei;
    if (current.isEmpty() || QFileInfo(current) == QFileInfo(next))
        return true;
    const QString error = ScoreFile::save(current, m_state.ScoreTable);
    if (error.isEmpty())
        return true;
    warn(error
            + QStringLiteral("\n\nDie Punktestände bleiben bei „%1“.")
                  .arg(QDir::toNativeSeparators(current)),
        title);
    return false;
}

void frmStart::newScoreFile()
{
    const std::optional<QString> chosen = chooseScoreFile(true);
    if (!chosen)
        return;
    const QString error = ScoreFile::save(*chosen, m_state.ScoreTable);
    if (!error.isEmpty()) {
        const QString consequence = m_state.strPunktedatei.isEmpty()
            ? QStringLiteral("Bitte einen anderen Speicherort wählen.")
            : QStringLiteral("Die Punktestände werden weiter in „%1“ gespeichert.")
                  .arg(QDir::toNativeSeparators(m_state.strPunktedatei));
        warn(
            error + QStringLiteral("\n\n") + consequence, QStringLiteral("Neue Punktestandsdatei"));
        return;
    }
    if (handOverCurrentFile(*chosen, QStringLiteral("Neue Punktestandsdatei")))
        m_state.strPunktedatei = *chosen;
}

void frmStart::resetScores()
{
    const MessageBox::Answer answer = m_platform.messages.show(
        QStringLiteral("Sollen die Punktestände wirklich wieder auf Null gesetzt werden?"),
        QStringLiteral("Sicherheitsabfrage"), MessageBox::Buttons::YesNo, MessageBox::Icon::None);
    if (answer != MessageBox::Answer::Yes)
        return;
    m_state.ScoreTable = Scores {};
    for (int k = 1; k <= 12; ++k)
        showScore(k);
    // The current score file gets the zeros when the program ends.
    ScoreStore::save(m_platform.settings, m_state.ScoreTable);
}

void frmStart::showScore(int k)
{
    showScoreDigits(k, 7);
}

void frmStart::showScoreDigits(int k, int digits)
{
    if (k >= 1 && k <= 12)
        lblPunkte[k]->setText(scoreLabelText(m_state.ScoreTable(k), digits));
}

void frmStart::subSchwarz()
{
    for (ClickLabel* label :
         {lblBenLaden, lblBenSpe, lblHilfe, lblProgrammende, lblWeb, lblPunkteLoeschen})
        Theme::setTextColour(label, Theme::Black);
    for (int k = 1; k <= 12; ++k)
        Theme::setTextColour(exerciseEntries[k], Theme::EntryColour);
}

void frmStart::subHilfe()
{
    ::subHilfe(m_platform, QStringLiteral("index.htm"));
}

void frmStart::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        subHilfe();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmStart::eventFilter(QObject* watched, QEvent* event)
{
    // Separators and descriptions lie between the entries; crossing them resets the colours.
    if (event->type() == QEvent::Enter)
        subSchwarz();
    return QWidget::eventFilter(watched, event);
}

void frmStart::mouseMoveEvent(QMouseEvent* event)
{
    // Only the bare background resets; score labels and other plain texts react to nothing.
    if (!childAt(event->position().toPoint()))
        subSchwarz();
    QWidget::mouseMoveEvent(event);
}

void frmStart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(192, 0, 0, 60), 1));
    painter.setBrush(QColor(255, 255, 255, 200));
    for (int k = 1; k <= 12; ++k)
        painter.drawRoundedRect(QRectF(cellRect(k)).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}
