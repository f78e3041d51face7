#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>
#include <string>
#include <vector>

#include "dictionary_view/markup.h"

namespace lirabo {

class TDictionaryView;

// One link on screen as assistive tools see it: a child of the view's
// accessible text, named by its word(s), placed over its piece(s), pressed
// as a click presses it. Qt's AT-SPI bridge exports no hypertext interface,
// so this is how a screen reader finds and follows links.
//
// The view's accessible interface creates, registers and deletes these; it
// keeps one alive while the same link stays in the same place. It holds the
// view weakly: a link of a view that is gone is invalid and does nothing.
class TLinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    // Link: UTF-8, as the view's link pieces carry it; Rects: its pieces in
    // client pixels.
    TLinkAccessible(TDictionaryView* View, std::string Link, std::vector<TRect> Rects);

    const std::string& Link() const { return FLink; }
    const std::vector<TRect>& Rects() const { return FRects; }
    // Its pieces are FirstPiece.. of the view's Links(), as of the last paint.
    void SetFirstPiece(int First) { FFirstPiece = First; }
    int FirstPiece() const { return FFirstPiece; }
    bool HasPiece(int Piece) const
    {
        return Piece >= FFirstPiece && Piece < FFirstPiece + static_cast<int>(FRects.size());
    }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int /*Index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*Child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*X*/, int /*Y*/) const override { return nullptr; }
    QString text(QAccessible::Text Type) const override;
    void setText(QAccessible::Text /*Type*/, const QString& /*Text*/) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType Type) override;

    QStringList actionNames() const override;
    void doAction(const QString& ActionName) override;
    QStringList keyBindingsForAction(const QString& /*ActionName*/) const override { return {}; }

private:
    QPointer<TDictionaryView> FView;
    std::string FLink;
    std::vector<TRect> FRects;
    int FFirstPiece = 0;
};

}  // namespace lirabo
