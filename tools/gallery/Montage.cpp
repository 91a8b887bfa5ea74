// Lays screen pictures out in a grid on one PNG, for the README:
//   lumibo-montage OUT.png COLUMNS BOX_WIDTH BOX_HEIGHT PICTURE.png...
// Each picture is scaled down (never up) to fit a BOX_WIDTH x BOX_HEIGHT cell, keeping its
// shape, and framed by a thin line; cells are centred in their row, rows in the sheet.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kGap = 16;

int positive(const char *text) {
    bool ok = false;
    const int n = QString::fromLocal8Bit(text).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace

// Images and a painter on an image need no application object, hence no display or platform.
int main(int argc, char **argv) {
    const int columns = argc > 4 ? positive(argv[2]) : 0;
    const int boxWidth = argc > 4 ? positive(argv[3]) : 0;
    const int boxHeight = argc > 4 ? positive(argv[4]) : 0;
    if (argc < 6 || !columns || !boxWidth || !boxHeight) {
        std::fprintf(stderr, "usage: lumibo-montage OUT.png COLUMNS BOX_WIDTH BOX_HEIGHT PICTURE.png...\n");
        return 2;
    }

    std::vector<QImage> pictures;
    for (int i = 5; i < argc; ++i) {
        QImage image(QString::fromLocal8Bit(argv[i]));
        if (image.isNull()) {
            std::fprintf(stderr, "lumibo-montage: cannot read %s\n", argv[i]);
            return 1;
        }
        if (image.width() > boxWidth || image.height() > boxHeight)
            image = image.scaled(boxWidth, boxHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        pictures.push_back(image);
    }

    // Rows as wide as their pictures, as tall as their tallest one.
    const int count = static_cast<int>(pictures.size());
    const int rows = (count + columns - 1) / columns;
    std::vector<int> rowWidth(rows, 0), rowHeight(rows, 0);
    for (int i = 0; i < count; ++i) {
        const int r = i / columns;
        rowWidth[r] += pictures[i].width() + (i % columns ? kGap : 0);
        rowHeight[r] = std::max(rowHeight[r], pictures[i].height());
    }
    const int width = *std::max_element(rowWidth.begin(), rowWidth.end()) + 2 * kGap;
    int height = kGap;
    for (int h : rowHeight)
        height += h + kGap;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&sheet);
    painter.setPen(QColor(0x90, 0x90, 0x90));
    int y = kGap;
    for (int r = 0; r < rows; ++r) {
        int x = (width - rowWidth[r]) / 2;
        for (int i = r * columns; i < std::min(count, (r + 1) * columns); ++i) {
            const QImage &p = pictures[i];
            const int top = y + (rowHeight[r] - p.height()) / 2;
            painter.drawImage(x, top, p);
            painter.drawRect(x - 1, top - 1, p.width() + 1, p.height() + 1);
            x += p.width() + kGap;
        }
        y += rowHeight[r] + kGap;
    }
    painter.end();

    const QString out = QString::fromLocal8Bit(argv[1]);
    // Quality 0 asks for the strongest PNG compression: these files live in the repository.
    if (!sheet.save(out, "PNG", 0)) {
        std::fprintf(stderr, "lumibo-montage: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
