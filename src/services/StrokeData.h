#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace services {

// Stroke outlines and medians live in a square box of this many units a side, x to the right and
// y downwards, 0 at the top: the 田字格 a character is written in.
inline constexpr int kStrokeBox = 1024;

// One piece of a stroke's outline, as a path draws it: move to, line to, a quadratic or cubic
// curve to (control points first, the end point last), or close the outline.
struct OutlineSegment {
    enum class Kind : quint8 { Move, Line, Quad, Cubic, Close };
    Kind kind = Kind::Move;
    // Move and Line: [0]; Quad: [0] control, [1] end; Cubic: [0], [1] controls, [2] end.
    std::array<QPointF, 3> points{};

    static int pointCount(Kind kind);
    bool operator==(const OutlineSegment &) const = default;
};

// One stroke: its closed outline and its centre line (median) in the direction it is written.
struct Stroke {
    std::vector<OutlineSegment> outline;
    std::vector<QPointF> median; // at least two points; the first is where the brush sets down
    bool operator==(const Stroke &) const = default;
};

// A character's strokes in writing order, and which of them (0-based, ascending) are its radical's.
struct StrokeCharacter {
    char32_t character = 0;
    std::vector<Stroke> strokes;
    std::vector<int> radicalStrokes;

    bool isRadicalStroke(int stroke) const;
    bool operator==(const StrokeCharacter &) const = default;
};

// strokes.dat beside the program: the stroke order of every character the lessons teach, made by
// tools/strokes from the hanzi-writer-data package. The file is read whole (a few hundred
// kilobytes to a few megabytes) and a character is decoded when asked for.
//
// Layout, little-endian:
//   header  "LUMISTRK", u16 version (1), u16 notice length, u32 count,
//           u32 FNV-1a of the notice and the index
//   notice  UTF-8 text: where the strokes come from, their licence, and how they were changed
//   index   count entries of u32 code point, u32 offset, u32 length, u32 FNV-1a of the record,
//           in ascending code point order
//   record  u8 strokes, u8 radical strokes, u8 radical stroke numbers[],
//           then per stroke: u16 segments, u8 median points, u8 segment kinds[],
//                            i16 x, y of each segment's points, i16 x, y of each median point
//
// A file that is missing, truncated or damaged never stops the program: open() and
// fromBytes() check the header and the index, character() checks the record it decodes, and
// whatever fails a check gives no strokes (problem() says why for a whole file).
class StrokeData {
  public:
    static QString fileName() { return QStringLiteral("strokes.dat"); }

    StrokeData() = default; // reads nothing: no character has strokes
    static StrokeData fromBytes(const QByteArray &bytes);
    static StrokeData open(const QString &path);

    // The header and index hold; a record can still be damaged (character() then gives none).
    bool isValid() const { return valid_; }
    // Why the file gives no strokes at all; empty when it is valid.
    QString problem() const { return problem_; }

    int count() const { return static_cast<int>(index_.size()); }
    // The file's own notice of its source, licence and changes.
    QString notice() const { return notice_; }
    // The characters the index names, in code point order.
    std::vector<char32_t> characters() const;
    // The character's strokes; none when the file lacks it or its record is damaged.
    std::optional<StrokeCharacter> character(char32_t c) const;

    // The file for these characters (any order, each once) with its notice (at most 65535 bytes
    // of UTF-8). Coordinates must be whole numbers from -32768 to 32767; empty with *error set
    // when something cannot be written.
    static QByteArray encode(std::vector<StrokeCharacter> characters, const QString &notice, QString *error);

  private:
    struct Entry {
        char32_t character;
        quint32 offset;
        quint32 length;
        quint32 checksum;
    };
    static StrokeData refuse(const QString &why);

    QByteArray bytes_;
    QString notice_;
    std::vector<Entry> index_;
    bool valid_ = false;
    QString problem_ = QStringLiteral("no stroke file was read");
};

} // namespace services
