// One overview picture of the card-face library: faces, highlighted faces, backs and the
// animation frames, laid out on green felt for a quick look at the whole deck.
#include "table/contact_sheet.h"

#include "table/cardfaces.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace dm {

namespace {

constexpr int kMargin = 24;
constexpr int kGap = 8;
constexpr int kHeading = 30;
constexpr int kLabel = 20;
constexpr int kColumns = 13;
constexpr int kCardW = 90;
constexpr int kCardH = 126;

constexpr int sheetWidth() { return 2 * kMargin + kColumns * kCardW + (kColumns - 1) * kGap; }

// Sheet height: two blocks of four face rows, then two labelled rows (backs, frames).
constexpr int sheetHeight()
{
    return 2 * kMargin + 4 * kHeading + 8 * (kCardH + kGap) + 2 * (kCardH + kLabel + kGap);
}

class SheetWriter {
public:
    explicit SheetWriter(QPainter& p) : p_(p) {}

    void heading(const QString& text)
    {
        p_.setPen(QColor(236, 244, 230));
        p_.setFont(font(15, true));
        p_.drawText(QRect(kMargin, y_, sheetWidth() - 2 * kMargin, kHeading - 6),
                    Qt::AlignLeft | Qt::AlignBottom, text);
        y_ += kHeading;
    }

    void faceRows(int mode)
    {
        for (int suit = 0; suit < 4; ++suit) {
            for (int rank = 1; rank <= 13; ++rank)
                cdtDraw(p_, columnX(rank - 1), y_, (rank - 1) * 4 + suit, mode);
            y_ += kCardH + kGap;
        }
    }

    void backsRow()
    {
        for (int d = kFirstBack; d <= kLastBack; ++d) {
            cdtDraw(p_, columnX(d - kFirstBack), y_, d, 1);
            label(d - kFirstBack, QString::fromLatin1(backDesignName(d)));
        }
        y_ += kCardH + kLabel + kGap;
    }

    void framesRow()
    {
        int column = 0;
        for (const int design : {kBeachBack, kSleeveBack}) {
            for (int frame = 0; frame < kAnimationFrames; ++frame, ++column) {
                // The same call the stock animation makes, shifted to this column.
                cdtAnimate(p_, design, columnX(column), y_, frame);
                label(column, QStringLiteral("%1 %2").arg(QString::fromLatin1(backDesignName(design))).arg(frame));
            }
        }
        y_ += kCardH + kLabel + kGap;
    }

private:
    static int columnX(int column) { return kMargin + column * (kCardW + kGap); }

    static QFont font(int pixels, bool bold)
    {
        QFont f;
        f.setFamilies({"DejaVu Sans", "Liberation Sans", "Arial"});
        f.setPixelSize(pixels);
        f.setBold(bold);
        return f;
    }

    void label(int column, const QString& text)
    {
        p_.setPen(QColor(226, 236, 220));
        p_.setFont(font(12, false));
        p_.drawText(QRect(columnX(column) - kGap / 2, y_ + kCardH + 2, kCardW + kGap, kLabel - 2),
                    Qt::AlignHCenter | Qt::AlignTop, text);
    }

    QPainter& p_;
    int y_ = kMargin;
};

// Flat felt with a darker rim: calm behind the cards, and it keeps the file small.
void paintFelt(QPainter& p, const QSize& size)
{
    p.fillRect(QRect(QPoint(0, 0), size), QColor(24, 80, 48));
    p.fillRect(QRect(QPoint(6, 6), size - QSize(12, 12)), QColor(34, 102, 60));
}

}  // namespace

bool renderContactSheet(const std::string& pngPath)
{
    if (pngPath.empty())
        return false;
    QImage sheet(sheetWidth(), sheetHeight(), QImage::Format_RGB32);
    sheet.setDevicePixelRatio(1.0);
    {
        QPainter p(&sheet);
        if (!p.isActive())
            return false;
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        paintFelt(p, sheet.size());
        SheetWriter writer(p);
        writer.heading(QStringLiteral("Faces"));
        writer.faceRows(0);
        writer.heading(QStringLiteral("Highlighted faces"));
        writer.faceRows(2);
        writer.heading(QStringLiteral("Backs"));
        writer.backsRow();
        writer.heading(QStringLiteral("Animation frames"));
        writer.framesRow();
    }
    // Quality 0 asks for the strongest PNG compression.
    return sheet.save(QString::fromStdString(pngPath), "PNG", 0);
}

}  // namespace dm
