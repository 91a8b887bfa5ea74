#include "services/StrokeData.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace services {

namespace {

constexpr char kMagic[8] = {'L', 'U', 'M', 'I', 'S', 'T', 'R', 'K'};
constexpr quint16 kVersion = 1;
constexpr qsizetype kHeaderSize = 20;
constexpr qsizetype kEntrySize = 16;
// Far more than any stroke file of ours (about 2 MB); a bigger file is not one.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

// FNV-1a: a damaged byte changes it, and it costs nothing next to reading the bytes.
quint32 checksum(const char *data, qsizetype size) {
    quint32 h = 2166136261u;
    for (qsizetype i = 0; i < size; ++i) {
        h ^= static_cast<unsigned char>(data[i]);
        h *= 16777619u;
    }
    return h;
}

// Reads little-endian values from a span; a read past its end sets ok to false and gives 0, so
// one check after a group of reads is enough.
class Reader {
  public:
    Reader(const char *data, qsizetype size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == size_; }
    // Fails unless n more bytes are there; used before sizing anything from a count.
    bool need(qint64 n) {
        if (!ok_ || n < 0 || size_ - pos_ < n) ok_ = false;
        return ok_;
    }
    quint32 unsignedValue(int bytes) {
        if (!need(bytes)) return 0;
        quint32 v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<quint32>(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
        pos_ += bytes;
        return v;
    }
    quint8 u8() { return static_cast<quint8>(unsignedValue(1)); }
    quint16 u16() { return static_cast<quint16>(unsignedValue(2)); }
    quint32 u32() { return unsignedValue(4); }
    qint16 i16() { return static_cast<qint16>(u16()); }
    QPointF point() {
        const qint16 x = i16();
        const qint16 y = i16();
        return QPointF(x, y);
    }

  private:
    const char *data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

class Writer {
  public:
    QByteArray bytes;
    QString error;
    void u8(quint32 v) { bytes.append(static_cast<char>(v & 0xFF)); }
    void u16(quint32 v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(quint32 v) {
        u16(v);
        u16(v >> 16);
    }
    void point(QPointF p) {
        for (double v : {p.x(), p.y()}) {
            if (v != std::floor(v) || v < std::numeric_limits<qint16>::min() ||
                v > std::numeric_limits<qint16>::max()) {
                if (error.isEmpty())
                    error = QStringLiteral("coordinate %1 is not a whole number from -32768 to 32767").arg(v);
                v = 0;
            }
            u16(static_cast<quint16>(static_cast<qint16>(v)));
        }
    }
};

QString nameOf(char32_t c) {
    return QStringLiteral("%1 (U+%2)")
        .arg(QString::fromUcs4(&c, 1))
        .arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

int OutlineSegment::pointCount(Kind kind) {
    switch (kind) {
    case Kind::Move:
    case Kind::Line:
        return 1;
    case Kind::Quad:
        return 2;
    case Kind::Cubic:
        return 3;
    case Kind::Close:
        return 0;
    }
    return 0;
}

bool StrokeCharacter::isRadicalStroke(int stroke) const {
    return std::binary_search(radicalStrokes.begin(), radicalStrokes.end(), stroke);
}

StrokeData StrokeData::refuse(const QString &why) {
    StrokeData d;
    d.problem_ = why;
    return d;
}

StrokeData StrokeData::open(const QString &path) {
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("%1: the stroke file is missing or unreadable").arg(path));
    if (f.size() > kLargestFile) return refuse(QStringLiteral("%1: too large for a stroke file").arg(path));
    const QByteArray bytes = f.readAll();
    if (bytes.size() != f.size())
        return refuse(QStringLiteral("%1: the stroke file could not be read whole").arg(path));
    StrokeData d = fromBytes(bytes);
    if (!d.valid_) d.problem_ = QStringLiteral("%1: %2").arg(path, d.problem_);
    return d;
}

StrokeData StrokeData::fromBytes(const QByteArray &bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0)
        return refuse(QStringLiteral("not a stroke file"));
    Reader header(bytes.constData() + sizeof kMagic, kHeaderSize - qsizetype(sizeof kMagic));
    const quint16 version = header.u16();
    const quint16 noticeLength = header.u16();
    const quint32 count = header.u32();
    const quint32 indexChecksum = header.u32();
    if (version != kVersion)
        return refuse(QStringLiteral("stroke file version %1; this program reads version %2")
                          .arg(version)
                          .arg(kVersion));
    const qsizetype indexStart = kHeaderSize + noticeLength;
    if (indexStart > bytes.size() || count > static_cast<quint64>(bytes.size() - indexStart) / kEntrySize)
        return refuse(
            QStringLiteral("the stroke file is cut short: its index of %1 characters is not all there")
                .arg(count));
    const qsizetype indexEnd = indexStart + static_cast<qsizetype>(count) * kEntrySize;
    if (checksum(bytes.constData() + kHeaderSize, indexEnd - kHeaderSize) != indexChecksum)
        return refuse(QStringLiteral("the stroke file's index is damaged"));

    StrokeData d;
    d.notice_ = QString::fromUtf8(bytes.constData() + kHeaderSize, noticeLength);
    d.index_.reserve(count);
    Reader index(bytes.constData() + indexStart, indexEnd - indexStart);
    for (quint32 i = 0; i < count; ++i) {
        Entry e{
            .character = index.u32(), .offset = index.u32(), .length = index.u32(), .checksum = index.u32()};
        if (!d.index_.empty() && e.character <= d.index_.back().character)
            return refuse(QStringLiteral("the stroke file's index is out of order at entry %1").arg(i + 1));
        if (qint64(e.offset) < indexEnd || quint64(e.offset) + e.length > quint64(bytes.size()))
            return refuse(QStringLiteral("the stroke file is cut short: %1 lies past its end")
                              .arg(nameOf(e.character)));
        d.index_.push_back(e);
    }
    d.bytes_ = bytes;
    d.valid_ = true;
    d.problem_.clear();
    return d;
}

std::vector<char32_t> StrokeData::characters() const {
    std::vector<char32_t> out;
    out.reserve(index_.size());
    for (const Entry &e : index_)
        out.push_back(e.character);
    return out;
}

std::optional<StrokeCharacter> StrokeData::character(char32_t c) const {
    const auto it = std::lower_bound(index_.begin(), index_.end(), c,
                                     [](const Entry &e, char32_t key) { return e.character < key; });
    if (it == index_.end() || it->character != c) return std::nullopt;
    const char *record = bytes_.constData() + it->offset;
    if (checksum(record, it->length) != it->checksum) return std::nullopt;

    Reader r(record, it->length);
    StrokeCharacter out;
    out.character = c;
    const int strokes = r.u8();
    const int radicals = r.u8();
    if (!r.ok() || strokes == 0 || radicals > strokes) return std::nullopt;
    for (int i = 0; i < radicals; ++i) {
        const int s = r.u8();
        if (!r.ok() || s >= strokes || (!out.radicalStrokes.empty() && s <= out.radicalStrokes.back()))
            return std::nullopt;
        out.radicalStrokes.push_back(s);
    }
    out.strokes.resize(strokes);
    for (Stroke &stroke : out.strokes) {
        const int segments = r.u16();
        const int medianPoints = r.u8();
        // A stroke is at least a move and one piece; a median has a start and an end.
        if (!r.ok() || segments < 2 || medianPoints < 2 || !r.need(segments)) return std::nullopt;
        stroke.outline.resize(segments);
        for (OutlineSegment &s : stroke.outline) {
            const quint8 kind = r.u8();
            if (kind > static_cast<quint8>(OutlineSegment::Kind::Close)) return std::nullopt;
            s.kind = static_cast<OutlineSegment::Kind>(kind);
        }
        if (stroke.outline.front().kind != OutlineSegment::Kind::Move) return std::nullopt;
        for (OutlineSegment &s : stroke.outline)
            for (int p = 0; p < OutlineSegment::pointCount(s.kind); ++p)
                s.points[p] = r.point();
        if (!r.need(qint64(medianPoints) * 4)) return std::nullopt;
        stroke.median.resize(medianPoints);
        for (QPointF &p : stroke.median)
            p = r.point();
        if (!r.ok()) return std::nullopt;
    }
    if (!r.atEnd()) return std::nullopt; // bytes the record does not account for: not what was written
    return out;
}

QByteArray StrokeData::encode(std::vector<StrokeCharacter> characters, const QString &notice,
                              QString *error) {
    const QByteArray noticeBytes = notice.toUtf8();
    if (noticeBytes.size() > 0xFFFF) {
        *error = QStringLiteral("the notice is longer than 65535 bytes");
        return {};
    }
    std::sort(characters.begin(), characters.end(),
              [](const StrokeCharacter &a, const StrokeCharacter &b) { return a.character < b.character; });
    auto refuseWith = [&](const StrokeCharacter &c, const QString &why) {
        *error = QStringLiteral("%1: %2").arg(nameOf(c.character), why);
        return QByteArray();
    };
    std::vector<QByteArray> records;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const StrokeCharacter &c = characters[i];
        if (i > 0 && characters[i - 1].character == c.character)
            return refuseWith(c, QStringLiteral("given twice"));
        if (c.strokes.empty() || c.strokes.size() > 255)
            return refuseWith(c,
                              QStringLiteral("%1 strokes; a character has 1 to 255").arg(c.strokes.size()));
        Writer w;
        w.u8(static_cast<quint32>(c.strokes.size()));
        w.u8(static_cast<quint32>(c.radicalStrokes.size()));
        for (std::size_t k = 0; k < c.radicalStrokes.size(); ++k) {
            const int s = c.radicalStrokes[k];
            if (s < 0 || s >= int(c.strokes.size()) || (k > 0 && s <= c.radicalStrokes[k - 1]))
                return refuseWith(
                    c, QStringLiteral("the radical's stroke numbers must ascend and name its strokes"));
            w.u8(static_cast<quint32>(s));
        }
        for (const Stroke &s : c.strokes) {
            if (s.outline.size() < 2 || s.outline.size() > 0xFFFF ||
                s.outline.front().kind != OutlineSegment::Kind::Move)
                return refuseWith(c, QStringLiteral("an outline is a move and 1 to 65534 pieces"));
            if (s.median.size() < 2 || s.median.size() > 255)
                return refuseWith(c, QStringLiteral("a median has 2 to 255 points"));
            w.u16(static_cast<quint32>(s.outline.size()));
            w.u8(static_cast<quint32>(s.median.size()));
            for (const OutlineSegment &seg : s.outline)
                w.u8(static_cast<quint32>(seg.kind));
            for (const OutlineSegment &seg : s.outline)
                for (int p = 0; p < OutlineSegment::pointCount(seg.kind); ++p)
                    w.point(seg.points[p]);
            for (QPointF p : s.median)
                w.point(p);
        }
        if (!w.error.isEmpty()) return refuseWith(c, w.error);
        records.push_back(w.bytes);
    }

    const qint64 indexEnd = kHeaderSize + noticeBytes.size() + qint64(records.size()) * kEntrySize;
    Writer index;
    qint64 offset = indexEnd;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (offset + records[i].size() > std::numeric_limits<quint32>::max()) {
            *error = QStringLiteral("the stroke file would pass 4 GB");
            return {};
        }
        index.u32(characters[i].character);
        index.u32(static_cast<quint32>(offset));
        index.u32(static_cast<quint32>(records[i].size()));
        index.u32(checksum(records[i].constData(), records[i].size()));
        offset += records[i].size();
    }
    const QByteArray checked = noticeBytes + index.bytes;
    Writer out;
    out.bytes.append(kMagic, sizeof kMagic);
    out.u16(kVersion);
    out.u16(static_cast<quint32>(noticeBytes.size()));
    out.u32(static_cast<quint32>(records.size()));
    out.u32(checksum(checked.constData(), checked.size()));
    out.bytes.reserve(offset);
    out.bytes += checked;
    for (const QByteArray &r : records)
        out.bytes += r;
    return out.bytes;
}

} // namespace services
