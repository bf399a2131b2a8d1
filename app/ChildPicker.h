#pragma once

#include <QWidget>

struct Platform;

// "Kind wählen": one large button per child of the children's folder, sorted by name, "Neues
// Kind ..." and "Abbrechen". It decides nothing about scores: it names the child's score file
// in its signals and closes.
class ChildPicker : public QWidget
{
    Q_OBJECT

public:
    explicit ChildPicker(Platform& platform, QWidget* parent = nullptr);

Q_SIGNALS:
    // An existing child's score file.
    void chosen(const QString& scoreFile);
    // The score file a new child's scores will go to; it does not exist yet.
    void newChild(const QString& scoreFile);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Asks for a name until it is one a new child can have, or the user cancels.
    void askNewChild();

    Platform& m_platform;
};
