#include "widgets/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lirabo {

namespace {

constexpr int kSize = 32;  // drawn at twice the usual 16 pixels and scaled down

void Draw(QPainter& p, TIconKind Kind)
{
    const QColor ink(40, 60, 110);
    QPen pen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (Kind) {
        case TIconKind::Lookup:
            p.drawEllipse(QRectF(5, 5, 15, 15));
            pen.setWidth(5);
            p.setPen(pen);
            p.drawLine(QPointF(18, 18), QPointF(27, 27));
            break;
        case TIconKind::Wildcard: {
            QFont font;
            font.setPixelSize(22);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("*?"));
            break;
        }
        case TIconKind::Clipboard:
            p.drawRoundedRect(QRectF(7, 6, 18, 22), 2, 2);
            p.fillRect(QRectF(11, 3, 10, 6), ink);
            pen.setWidth(2);
            p.setPen(pen);
            p.drawLine(11, 15, 21, 15);
            p.drawLine(11, 20, 21, 20);
            break;
        case TIconKind::OnTop:
            p.drawLine(6, 5, 26, 5);
            p.drawLine(16, 10, 16, 28);
            p.drawLine(9, 17, 16, 10);
            p.drawLine(23, 17, 16, 10);
            break;
        case TIconKind::Next:
            p.drawLine(12, 8, 20, 16);
            p.drawLine(20, 16, 12, 24);
            break;
        case TIconKind::Previous:
            p.drawLine(20, 8, 12, 16);
            p.drawLine(12, 16, 20, 24);
            break;
        case TIconKind::Close:
            p.drawLine(10, 10, 22, 22);
            p.drawLine(22, 10, 10, 22);
            break;
        case TIconKind::Application: {
            p.setBrush(QColor(60, 110, 190));
            p.setPen(QPen(QColor(30, 50, 100), 2));
            p.drawRoundedRect(QRectF(4, 3, 24, 26), 3, 3);
            p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(11, 9, 11, 22);
            p.drawLine(11, 22, 21, 22);
            break;
        }
        case TIconKind::NewList: {
            pen.setWidth(2);
            p.setPen(pen);
            const QPointF page[] = {{8, 4}, {19, 4}, {25, 10}, {25, 28}, {8, 28}};
            p.drawPolygon(page, 5);
            p.drawPolyline(QPolygonF({{19, 4}, {19, 10}, {25, 10}}));
            break;
        }
        case TIconKind::OpenList: {
            pen.setWidth(2);
            p.setPen(pen);
            p.setBrush(QColor(240, 200, 90));
            const QPointF folder[] = {{3, 8}, {11, 8}, {14, 11}, {27, 11}, {27, 26}, {3, 26}};
            p.drawPolygon(folder, 6);
            break;
        }
        case TIconKind::Home: {
            pen.setWidth(2);
            pen.setJoinStyle(Qt::RoundJoin);
            p.setPen(pen);
            p.setBrush(QColor(240, 200, 90));
            const QPointF house[] = {{16, 4}, {28, 15}, {25, 15}, {25, 28}, {7, 28}, {7, 15}, {4, 15}};
            p.drawPolygon(house, 7);
            p.setBrush(QColor(60, 110, 190));
            p.drawRect(QRectF(13, 19, 6, 9));
            break;
        }
        case TIconKind::SaveList:
            pen.setWidth(2);
            p.setPen(pen);
            p.drawRoundedRect(QRectF(5, 5, 22, 22), 2, 2);
            p.fillRect(QRectF(10, 6, 12, 7), ink);
            p.drawRect(QRectF(9, 17, 14, 9));
            break;
        case TIconKind::Shuffle:
            pen.setWidth(2);
            p.setPen(pen);
            p.drawLine(4, 9, 12, 9);
            p.drawLine(12, 9, 20, 23);
            p.drawLine(20, 23, 27, 23);
            p.drawLine(4, 23, 12, 23);
            p.drawLine(12, 23, 20, 9);
            p.drawLine(20, 9, 27, 9);
            p.drawLine(24, 6, 27, 9);
            p.drawLine(24, 12, 27, 9);
            p.drawLine(24, 20, 27, 23);
            p.drawLine(24, 26, 27, 23);
            break;
        case TIconKind::HideList: {
            pen.setWidth(2);
            p.setPen(pen);
            QPainterPath eye;
            eye.moveTo(3, 16);
            eye.quadTo(16, 4, 29, 16);
            eye.quadTo(16, 28, 3, 16);
            p.drawPath(eye);
            p.setBrush(ink);
            p.drawEllipse(QPointF(16, 16), 4, 4);
            pen.setWidth(3);
            p.setPen(pen);
            p.drawLine(6, 27, 26, 5);
            break;
        }
    }
}

}  // namespace

QIcon MakeIcon(TIconKind Kind)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        Draw(p, Kind);
    }
    return QIcon(pixmap);
}

}  // namespace lirabo
