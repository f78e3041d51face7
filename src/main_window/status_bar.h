#pragma once

#include <QStatusBar>
#include <QString>
#include <functional>

namespace lirabo {

// The status bar of the main window: one panel as wide as the bar, either
// drawn by its owner (the dictionary line) or showing a plain text, and a
// whole-width text mode for the length of a slow operation, which covers
// the panel until it is left.
class TStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget* Parent = nullptr);

    // Panel mode: owner-drawn through OnDrawPanel, or the plain Text.
    void SetPanelOwnerDrawn();
    void SetPanelText(const QString& Text);
    bool PanelOwnerDrawn() const { return FOwnerDrawn; }
    QString PanelText() const { return FPanelText; }

    // Whole-width mode with Text; SetPanelMode returns to the panel.
    void SetWholeWidthText(const QString& Text);
    void SetPanelMode();
    bool WholeWidth() const { return FWholeWidth; }
    QString WholeWidthText() const { return FWholeWidthText; }

    // A short notice over everything else, gone after Milliseconds.
    void ShowNotice(const QString& Text, int Milliseconds = 5000);
    QString Notice() const { return currentMessage(); }

    // What the owner-drawn line shows, in words: painting alone reaches no
    // one who cannot see it.
    void SetOwnerDrawnWords(const QString& Words);
    // The bar's accessible name while it shows nothing.
    void SetQuietName(const QString& Name);
    // The words the bar shows now, which are also its accessible name (a
    // screen reader's status bar command speaks the name): the notice over
    // the whole-width text over the panel, empty when it shows nothing.
    QString ShownText() const;

    // The panel's rectangle inside the bar.
    QRect PanelRect() const;

    // Raised only when set. X is in the bar's coordinates.
    std::function<void(QPainter& Painter, const QRect& Rect)> OnDrawPanel;
    std::function<void(int X)> OnMouseMove;
    std::function<void(int X)> OnMouseDown;

    // 1 while the owner-drawn line shows an active link, else 0.
    int Tag = 0;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    bool FOwnerDrawn = true;
    bool FWholeWidth = false;
    QString FPanelText;
    QString FWholeWidthText;
    QString FOwnerDrawnWords;
    QString FQuietName;

    void Announce();
};

}  // namespace lirabo
