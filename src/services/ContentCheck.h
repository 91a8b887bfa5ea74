#pragma once

#include "services/ContentFiles.h"

namespace services {

class StrokeData;

// The content rules: required fields, whole poems, distinct answers, pairs unlike themselves,
// English numbers running 1, 2, 3 without gaps, English words the voice can read, meanings of at
// most kMeaningShown characters, a pinyin reading for every Chinese character the lessons and
// poems show, and a 单字 record's own reading one of its character's, written with tone marks.
// Each kind of table has its own check below; checkContent runs the ones each table needs.
void checkContent(const std::vector<TableData> &tables, Problems &problems);

// The characters of the lessons (单字, and every character of 词组) that the stroke file cannot
// draw, each reported once at its first line; or why the stroke file serves none at all.
void checkStrokes(const std::vector<TableData> &tables, const StrokeData &strokes, Problems &problems);

} // namespace services
