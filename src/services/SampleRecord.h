#pragma once

#include <QDate>

namespace services {

class LearningRecord;

// Made-up use for the gallery's pictures and the benchmarks: every day from today - days + 1 to
// today, roundsPerDay rounds spread over the six areas, each with missesPerRound misses drawn
// from a few hundred items per area and as many right answers. The same seed makes the same record.
void fillSampleRecord(LearningRecord &record, QDate today, int days, int roundsPerDay, int missesPerRound,
                      unsigned seed = 1);

} // namespace services
