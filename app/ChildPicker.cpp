#include "app/ChildPicker.h"

#include "core/Children.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "ui/Labels.h"
#include "ui/SubWindow.h"
#include "ui/Theme.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int Width = 360;
constexpr int ButtonHeight = 40;
// Room for six children at once; more scroll.
constexpr int ShownChildren = 6;

QPushButton* button(QWidget* parent, const QString& name, const QString& text, qreal points)
{
    QPushButton* made = namedButton(parent, name, text, points);
    made->setMinimumHeight(ButtonHeight);
    return made;
}
} // namespace

ChildPicker::ChildPicker(Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmKinder"));
    setWindowTitle(QStringLiteral("Kind wählen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(8);

    QLabel* question = namedLabel(this, "lblFrage", QStringLiteral("Wer übt jetzt?"));
    question->setFont(Theme::uiFont(16, true));
    Theme::setTextColour(question, Theme::EntryColour);
    layout->addWidget(question);

    const Children children(m_platform.folders);
    const QStringList names = children.names();
    auto* list = new QWidget;
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString file = children.scoreFile(names[i]);
        QPushButton* child = button(list, QStringLiteral("cmdKind(%1)").arg(i + 1), names[i], 14);
        connect(child, &QPushButton::clicked, this, [this, file] {
            closeWithWindow(this);
            Q_EMIT chosen(file);
        });
        column->addWidget(child);
    }
    if (names.isEmpty()) {
        QLabel* none = namedLabel(list, "lblKeinKind",
            QStringLiteral("Noch hat kein Kind einen Namen. Mit „Neues Kind ...“ legen Sie den "
                           "ersten an."));
        none->setWordWrap(true);
        none->setFont(Theme::uiFont(10));
        column->addWidget(none);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrKinder"));
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedHeight(
        std::min<int>(std::max<qsizetype>(names.size(), 1), ShownChildren) * (ButtonHeight + 6));
    layout->addWidget(scroll);

    auto* row = new QHBoxLayout;
    QPushButton* add
        = button(this, QStringLiteral("cmdNeuesKind"), QStringLiteral("Neues Kind ..."), 10);
    QPushButton* cancel
        = button(this, QStringLiteral("cmdAbbrechen"), QStringLiteral("Abbrechen"), 10);
    row->addWidget(add);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(add, &QPushButton::clicked, this, &ChildPicker::askNewChild);
    connect(cancel, &QPushButton::clicked, this, [this] { closeWithWindow(this); });

    setFixedSize(Width, sizeHint().height());
    setFocusPolicy(Qt::StrongFocus);
    if (QWidget* first = list->findChild<QPushButton*>())
        setFocusProxy(first);
    else
        setFocusProxy(add);
}

void ChildPicker::askNewChild()
{
    const Children children(m_platform.folders);
    QString name;
    for (;;) {
        const std::optional<QString> answer = m_platform.input.askText(
            QStringLiteral("Wie heißt das neue Kind?"), QStringLiteral("Neues Kind"), name);
        if (!answer)
            return;
        name = answer->trimmed();
        const QString problem = children.nameProblem(name);
        if (problem.isEmpty())
            break;
        m_platform.messages.show(problem, QStringLiteral("Neues Kind"), MessageBox::Buttons::Ok,
            MessageBox::Icon::Warning);
    }
    closeWithWindow(this);
    Q_EMIT newChild(children.scoreFile(name));
}

void ChildPicker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        closeWithWindow(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ChildPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Theme::PanelBackground);
    painter.setPen(QPen(Theme::EntryColour, 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
