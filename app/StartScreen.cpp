#include "app/StartScreen.h"

#include "core/Children.h"
#include "core/ExerciseCatalogue.h"
#include "core/Help.h"
#include "core/ProgramState.h"
#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "core/Scoring.h"
#include "core/ViewSize.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Platform.h"
#include "ui/ClickLabel.h"
#include "ui/HoverGroup.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
constexpr int Margin = 12;
constexpr int MenuTop = 10;
constexpr int GridTop = 96;
constexpr int CellWidth = 148;
constexpr int CellStep = 154;
constexpr int RowStep = 104;
// Four entries to a row, as many rows as the catalogue fills.
constexpr int Columns = 4;
constexpr int Rows = (ExerciseCount + Columns - 1) / Columns;
constexpr int HelpLeft = Theme::px(5985);
constexpr qreal ScorePoints = 8;

QRect cellRect(int k)
{
    constexpr int GridLeft = (Theme::px(9600) - (Columns - 1) * CellStep - CellWidth) / 2;
    const int row = (k - 1) / Columns;
    const int column = (k - 1) % Columns;
    return { GridLeft + column * CellStep, GridTop + row * RowStep, CellWidth, RowStep - 8 };
}
} // namespace

StartScreen::StartScreen(ProgramState& state, Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
    , m_menu(new HoverGroup(this))
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Tambolino"));
    // 9600 x 6735 twips of client area.
    setFixedSize(Theme::px(9600), Theme::px(6735));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The background and the cards under the entries are painted once into an opaque pixmap,
    // not at every repaint (each exercise screen that closes causes one).
    const qreal ratio = devicePixelRatioF();
    m_background = QPixmap((QSizeF(size()) * ratio).toSize());
    m_background.setDevicePixelRatio(ratio);
    m_background.fill(Qt::white);
    setAttribute(Qt::WA_OpaquePaintEvent);
    {
        // All cards are alike: one is drawn, antialiased outlines being dear, and copied.
        const QSize cardSize = cellRect(1).size();
        QPixmap card((QSizeF(cardSize) * ratio).toSize());
        card.setDevicePixelRatio(ratio);
        card.fill(Qt::transparent);
        {
            QPainter painter(&card);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(192, 0, 0, 60), 1));
            painter.setBrush(QColor(255, 255, 255, 200));
            painter.drawRoundedRect(
                QRectF(QPointF(), cardSize).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        }
        QPainter painter(&m_background);
        Theme::paintPicture(painter, QStringLiteral("start"), rect());
        for (int k = 1; k <= ExerciseCount; ++k)
            painter.drawPixmap(cellRect(k).topLeft(), card);
    }

    // The menu row, left to right with a separator between each pair; "Hilfe" stands at
    // 5985 twips, "Programm beenden" at the right end.
    int x = 8;
    int y = MenuTop;
    const auto place = [&x, &y](QWidget* widget) {
        widget->setFont(Theme::uiFont(8));
        widget->adjustSize();
        widget->move(x, y);
        x += widget->width() + 4;
    };
    const auto separator = [this, &place](int i) {
        QLabel* bar = namedLabel(this, QStringLiteral("Label1(%1)").arg(i), QStringLiteral("|"));
        bar->installEventFilter(this);
        place(bar);
    };
    ClickLabel* load = menuLabel("lblBenLaden", QStringLiteral("Punktestände laden"), Theme::Black);
    place(load);
    separator(0);
    ClickLabel* save
        = menuLabel("lblBenSpe", QStringLiteral("Neue Punktestandsdatei"), Theme::Black);
    place(save);
    separator(1);
    ClickLabel* reset
        = menuLabel("lblPunkteLoeschen", QStringLiteral("Punktestände zurücksetzen"), Theme::Black);
    place(reset);
    separator(3);
    ClickLabel* view = menuLabel("lblAnsicht", QStringLiteral("Ansicht"), Theme::Black);
    place(view);
    ClickLabel* help = menuLabel("lblHilfe", QStringLiteral("Hilfe"), Theme::Black);
    x = std::max(HelpLeft, x);
    place(help);
    ClickLabel* end
        = menuLabel("lblProgrammende", QStringLiteral("Programm beenden"), Theme::Black);
    place(end);
    end->move(width() - Margin - end->width(), MenuTop);
    // The children's entries in a second row.
    x = 8;
    y = MenuTop + 22;
    ClickLabel* pick = menuLabel("lblKindWaehlen", QStringLiteral("Kind wählen"), Theme::Black);
    place(pick);
    separator(4);
    ClickLabel* progress = menuLabel("lblFortschritt", QStringLiteral("Fortschritt"), Theme::Black);
    place(progress);
    m_child = namedLabel(this, "lblKind", QString());
    m_child->setFont(Theme::uiFont(10, true));
    Theme::setTextColour(m_child, Theme::EntryColour);
    // Under the web address, right-aligned: clear of the sun, with room for the longest name.
    m_child->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_child->setGeometry(width() - Margin - 320, 75, 320, 19);
    connect(pick, &ClickLabel::clicked, this, &StartScreen::childPickerRequested);
    connect(progress, &ClickLabel::clicked, this, &StartScreen::progressRequested);
    connect(load, &ClickLabel::clicked, this, &StartScreen::loadScoreFile);
    connect(save, &ClickLabel::clicked, this, &StartScreen::newScoreFile);
    connect(reset, &ClickLabel::clicked, this, &StartScreen::resetScores);
    connect(help, &ClickLabel::clicked, this, &StartScreen::showHelp);
    connect(view, &ClickLabel::clicked, this, [this, view] { showViewMenu(view); });
    connect(end, &ClickLabel::clicked, this, &StartScreen::endRequested);

    m_version = namedLabel(this, "lblVersion", QStringLiteral("Version"));
    m_version->setFont(Theme::uiFont(8));
    m_version->setAlignment(Qt::AlignRight);
    m_version->setGeometry(width() - Margin - 200, 40, 200, 16);

    ClickLabel* web = menuLabel("lblWeb", vendorCaption(), Theme::Black);
    web->setFont(Theme::uiFont(8));
    web->adjustSize();
    web->move(width() - Margin - web->width(), 58);
    connect(web, &ClickLabel::clicked, this, [this] { openVendorPage(m_state, m_platform); });

    for (int k = 1; k <= ExerciseCount; ++k) {
        const Exercise& entry = exercise(k);
        const QRect cell = cellRect(k);
        ClickLabel* label = menuLabel(entry.entryControl, entry.menuText, Theme::EntryColour);
        label->setFont(Theme::uiFont(11, true));
        label->setGeometry(cell.left() + 6, cell.top() + 4, cell.width() - 12, 20);
        label->setAccessibleDescription(entry.description);
        connect(label, &ClickLabel::clicked, this, [this, k] { Q_EMIT exerciseRequested(k); });

        QLabel* text = namedLabel(this, QStringLiteral("lblText%1").arg(k), entry.description);
        text->setFont(Theme::uiFont(8));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setGeometry(cell.left() + 6, cell.top() + 26, cell.width() - 12, 46);
        text->installEventFilter(this);

        QLabel* score = namedLabel(this, QStringLiteral("lblPunkte(%1)").arg(k), scoreLabelText(0));
        score->setFont(Theme::uiFont(ScorePoints, true));
        score->setGeometry(cell.left() + 6, cell.bottom() - 20, cell.width() - 8, 16);
        m_scores[k] = score;
    }

    QLabel* copyrights
        = namedLabel(this, "lblCopyrights", QStringLiteral("© 2026 Das Tambolino-Team"));
    QLabel* copyrights2 = namedLabel(
        this, "lblCopyrights2", QStringLiteral("Freies Lernprogramm für die Grundschule"));
    int top = GridTop + Rows * RowStep - 2;
    for (QLabel* line : { copyrights, copyrights2 }) {
        line->setFont(Theme::uiFont(7.5));
        line->setGeometry(Margin + 6, top, 400, 14);
        top += 14;
    }

    m_serverNote = namedLabel(this, "lblSchulserver",
        QStringLiteral("Schulserver nicht erreichbar - das Tagebuch wird später übertragen"));
    m_serverNote->setFont(Theme::uiFont(7.5));
    m_serverNote->adjustSize();
    m_serverNote->move(width() - Margin - 6 - m_serverNote->width(), copyrights->y());
    m_serverNote->hide();
}

void StartScreen::showServerState(bool reachable)
{
    m_serverNote->setVisible(!reachable);
}

ClickLabel* StartScreen::menuLabel(const char* name, const QString& text, const QColor& colour)
{
    ClickLabel* label = namedLink(this, name, text);
    label->setFont(Theme::uiFont(9, true));
    label->takeFocusLikeButton(Theme::EntryColour);
    m_menu->add(label, colour);
    return label;
}

void StartScreen::orderTabs()
{
    // Reading order: row by row from the top, each from the left.
    QList<QWidget*> order;
    for (ClickLabel* label : findChildren<ClickLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->focusPolicy() & Qt::TabFocus)
            order.append(label);
    }
    std::ranges::stable_sort(order, [](const QWidget* a, const QWidget* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool StartScreen::moveFocus(int key)
{
    auto* from = qobject_cast<ClickLabel*>(focusWidget());
    if (focusWidget() == this || !focusWidget()) {
        // The screen itself has the focus: the arrows start at the first exercise.
        findChild<ClickLabel*>(QString::fromLatin1(exercise(1).entryControl))
            ->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!from || from->parentWidget() != this)
        return false;
    const QPoint origin = from->geometry().center();
    const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
    const int sign = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
    // The nearest entry that way: along a row only within that row, between rows the nearest
    // row first and in it the nearest entry.
    QWidget* best = nullptr;
    int bestDistance = 0;
    for (ClickLabel* label : findChildren<ClickLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!(label->focusPolicy() & Qt::TabFocus) || !label->isVisibleTo(this))
            continue;
        const QPoint offset = label->geometry().center() - origin;
        const int ahead = sign * (across ? offset.x() : offset.y());
        const int aside = std::abs(across ? offset.y() : offset.x());
        if (ahead <= 0 || (across && aside > from->height() / 2))
            continue;
        const int distance = ahead + 2 * aside;
        if (!best || distance < bestDistance) {
            best = label;
            bestDistance = distance;
        }
    }
    if (best)
        best->setFocus(Qt::TabFocusReason);
    return true;
}

void StartScreen::load()
{
    orderTabs();
    m_version->setText(versionText());
    dlgDatei.folder = m_platform.folders.documentsFolder();
    m_state.ScoreTable = ScoreStore::load(m_platform.settings);
    showReplacedScores(7);
    // Told at once, over the window once it is shown, not only when the program ends.
    if (const QString mended = ScoreStore::mend(m_platform.settings, m_state.ScoreTable).message();
        !mended.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, mended] { warn(mended, QStringLiteral("Gespeicherte Punktestände")); },
            Qt::QueuedConnection);
}

std::optional<QString> StartScreen::chooseScoreFile(bool forSaving)
{
    const FileDialog::Request request { forSaving ? QStringLiteral("tbo-Datei speichern")
                                                  : QStringLiteral("tbo-Datei öffnen"),
        dlgDatei.folder, dlgDatei.fileName,
        // A file saved under a name without ".tbo" can be loaded too.
        forSaving ? QStringLiteral("*.tbo") : QStringLiteral("*.tbo;;Alle Dateien (*)") };
    std::optional<QString> chosen
        = forSaving ? m_platform.files.saveFile(request) : m_platform.files.openFile(request);
    if (chosen)
        dlgDatei.fileName = *chosen;
    return chosen;
}

void StartScreen::warn(const QString& text, const QString& title)
{
    m_platform.messages.show(text, title, MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void StartScreen::loadScoreFile()
{
    if (const std::optional<QString> chosen = chooseScoreFile(false))
        loadScoresFrom(*chosen);
}

void StartScreen::loadScoresFrom(const QString& path)
{
    const QString title = QStringLiteral("Punktestände laden");
    // A file that cannot be read whole changes nothing, so that it is never overwritten later.
    const ScoreFile::Result loaded = ScoreFile::load(path);
    if (!loaded.ok()) {
        warn(loaded.error + QStringLiteral("\n\nDie Punktestände wurden nicht verändert.")
                + currentStays(),
            title);
        return;
    }
    if (!handOverCurrentFile(path, title,
            QStringLiteral("Sollen trotzdem die Punktestände aus „%1“ geladen werden? Sie "
                           "ersetzen die angezeigten Punktestände.")))
        return;
    m_state.ScoreTable = loaded.scores;
    setCurrentFile(path);
    showReplacedScores(6);
}

void StartScreen::startNewChild(const QString& path)
{
    const QString title = QStringLiteral("Neues Kind");
    if (!handOverCurrentFile(path, title,
            QStringLiteral("Soll trotzdem „%1“ mit neuen Punktständen begonnen werden?")))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const QString error = ScoreFile::save(path, Scores {}); !error.isEmpty()) {
        warn(error + QLatin1Char('\n') + currentStays(), title);
        return;
    }
    m_state.ScoreTable = Scores {};
    setCurrentFile(path);
    showReplacedScores(7);
}

void StartScreen::setCurrentFile(const QString& path)
{
    m_state.strPunktedatei = path;
    const QString name = Children::displayName(path);
    m_child->setText(name.isEmpty() ? QString() : QStringLiteral("Kind: ") + name);
    Q_EMIT childChanged(name);
}

QString StartScreen::currentStays() const
{
    if (m_state.strPunktedatei.isEmpty())
        return {};
    return QStringLiteral("\n„%1“ bleibt die aktuelle Punktestandsdatei.")
        .arg(QDir::toNativeSeparators(m_state.strPunktedatei));
}

bool StartScreen::handOverCurrentFile(
    const QString& next, const QString& title, const QString& question)
{
    // The scores earned since the current file was chosen belong to it; they are written
    // before another file takes its place, or they would be lost.
    const QString current = m_state.strPunktedatei;
    if (current.isEmpty() || QFileInfo(current) == QFileInfo(next)
        || ScoreFile::save(current, m_state.ScoreTable).isEmpty())
        return true;
    // The file has gone (a stick pulled out) and may never come back: the scores go to the
    // settings store at once, and the user decides whether to go on without the file.
    QString stored = ScoreStore::save(m_platform.settings, m_state.ScoreTable).message();
    if (!stored.isEmpty())
        stored += QStringLiteral("\n\n");
    const MessageBox::Answer answer = m_platform.messages.show(
        QStringLiteral("Die Punktestände konnten nicht in „%1“ gespeichert werden.\n\n%2%3")
            .arg(QDir::toNativeSeparators(current), stored,
                question.arg(QDir::toNativeSeparators(next))),
        title, MessageBox::Buttons::YesNoDefaultNo, MessageBox::Icon::Warning);
    return answer == MessageBox::Answer::Yes;
}

void StartScreen::newScoreFile()
{
    const std::optional<QString> chosen = chooseScoreFile(true);
    if (!chosen)
        return;
    const QString title = QStringLiteral("Neue Punktestandsdatei");
    if (!handOverCurrentFile(*chosen, title,
            QStringLiteral("Soll „%1“ trotzdem als neue Punktestandsdatei angelegt werden?")))
        return;
    const QString error = ScoreFile::save(*chosen, m_state.ScoreTable);
    if (!error.isEmpty()) {
        const QString consequence = m_state.strPunktedatei.isEmpty()
            ? QStringLiteral("\nBitte einen anderen Speicherort wählen.")
            : currentStays();
        warn(error + QLatin1Char('\n') + consequence, title);
        return;
    }
    setCurrentFile(*chosen);
}

void StartScreen::resetScores()
{
    const MessageBox::Answer answer = m_platform.messages.show(
        QStringLiteral("Sollen die Punktestände wirklich wieder auf Null gesetzt werden?"),
        QStringLiteral("Sicherheitsabfrage"), MessageBox::Buttons::YesNo, MessageBox::Icon::None);
    if (answer != MessageBox::Answer::Yes)
        return;
    m_state.ScoreTable = Scores {};
    showReplacedScores(7);
    // The current score file gets the zeros when the program ends; so does the store, should
    // it fail now.
    const QString stored = ScoreStore::save(m_platform.settings, m_state.ScoreTable).message();
    if (!stored.isEmpty())
        warn(stored, QStringLiteral("Punktestände zurücksetzen"));
}

void StartScreen::showViewMenu(QWidget* under)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuAnsicht"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const int stored = ViewSize::load(m_platform.settings);
    for (const int percent : ViewSize::Steps) {
        QAction* step = menu->addAction(QStringLiteral("%1 %").arg(percent));
        step->setCheckable(true);
        step->setChecked(percent == stored);
        connect(step, &QAction::triggered, this, [this, percent] { setViewSize(percent); });
    }
    menu->popup(under->mapToGlobal(QPoint(0, under->height())));
}

void StartScreen::stepViewSize(int direction)
{
    const int stored = ViewSize::load(m_platform.settings);
    setViewSize(direction > 0 ? ViewSize::larger(stored)
            : direction < 0   ? ViewSize::smaller(stored)
                              : ViewSize::Steps.front());
}

void StartScreen::setViewSize(int percent)
{
    const QString title = QStringLiteral("Ansicht");
    if (!ViewSize::save(m_platform.settings, percent)) {
        warn(QStringLiteral("Die gewählte Größe konnte nicht gespeichert werden."), title);
        return;
    }
    // The whole window is scaled when the program starts.
    const QString size = QStringLiteral("%1 %").arg(percent);
    m_platform.messages.show(percent == Theme::zoom()
            ? QStringLiteral("Das Programm zeigt schon die Größe %1.").arg(size)
            : QStringLiteral("Die Größe %1 gilt ab dem nächsten Programmstart.").arg(size),
        title, MessageBox::Buttons::Ok, MessageBox::Icon::Information);
}

void StartScreen::showScore(int k)
{
    showScoreDigits(k, 7);
}

void StartScreen::showScoreDigits(int k, int digits)
{
    if (k < 1 || k > ExerciseCount)
        return;
    // Every score is shown whole, ten digits and a minus sign in a smaller font where needed.
    const QString text = scoreLabelText(m_state.ScoreTable(k), digits);
    m_scores[k]->setFont(fittingFont(m_scores[k], text, Theme::uiFont(ScorePoints, true), 6));
    m_scores[k]->setText(text);
}

void StartScreen::showReplacedScores(int digits)
{
    for (int k = 1; k <= ExerciseCount; ++k) {
        showScoreDigits(k, digits);
        Q_EMIT scoreReplaced(k);
    }
}

void StartScreen::showHelp()
{
    ::openHelpPage(m_platform, QStringLiteral("index.htm"));
}

void StartScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right
        || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    const bool plain = !event->modifiers().testAnyFlags(
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (arrow && plain && moveFocus(event->key()))
        return;
    QWidget::keyPressEvent(event);
}

bool StartScreen::eventFilter(QObject* watched, QEvent* event)
{
    // Separators and descriptions lie between the entries; crossing them resets the colours.
    if (event->type() == QEvent::Enter)
        m_menu->reset();
    return QWidget::eventFilter(watched, event);
}

void StartScreen::mouseMoveEvent(QMouseEvent* event)
{
    // Only the bare background resets; score labels and other plain texts react to nothing.
    if (!childAt(event->position().toPoint()))
        m_menu->reset();
    QWidget::mouseMoveEvent(event);
}

void StartScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}
