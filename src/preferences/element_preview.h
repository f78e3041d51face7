#pragma once

#include <QRect>
#include <QWidget>
#include <array>
#include <functional>

#include "preferences/display_look.h"

namespace lirabo {

// The settings dialog's small imitation of the dictionary view: two entries
// with the definition column at x = 100, the second one current and part of
// it selected. Every sample is drawn in its element's colour and style, and
// a click on a sample (or on a background beside it) picks that element.
class TElementPreview : public QWidget {
public:
    // The thirteen places a click can pick: the ten samples of the rows, the
    // selected text, the current entries' band and the whole preview, tested
    // in this order so that a word wins over the background under it.
    static constexpr int kAreaCount = 13;
    struct TArea {
        QRect Rect;
        int Element = -1;  // settings order, TDisplayLook
    };

    explicit TElementPreview(QWidget* Parent = nullptr);

    void SetLook(const TDisplayLook& Look);

    // Valid after the first paint; before it no area contains anything.
    const std::array<TArea, kAreaCount>& Areas() const { return FAreas; }
    // The element of the first area containing Point; -1 for none.
    int ElementAt(QPoint Point) const;

    // A press of any button on an area.
    std::function<void(int Element)> OnPick;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    QFont PreviewFont() const;

    TDisplayLook FLook;
    std::array<TArea, kAreaCount> FAreas{};
};

}  // namespace lirabo
