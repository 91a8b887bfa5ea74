#pragma once

#include <QString>

namespace core {

// The program-wide working values the screens share. They live for the whole run,
// start at 0 or empty and are never saved.
struct Globals {
    int menuMode = 0;
    int subtractMode = 0;

    double correctAnswer = 0;
    bool correctAnswerSet = false; // false until some question set one: the reveal then shows nothing
    int rightCount = 0;
    int wrongCount = 0;
    bool wrongPending = false;
    int elapsedSeconds = 0;

    int answerSlot1 = 0, answerSlot2 = 0, answerSlot3 = 0, answerSlot4 = 0;
    // Never reset: the right answer never sits on the same button two questions running,
    // even across screens.
    int lastAnswerSlot = 0;
    double wrongChoice1 = 0, wrongChoice2 = 0;
    qint16 wrongChoice3 = 0;
    double operandA = 0, operandB = 0;
    double operandC = 0, operandD = 0, operandE = 0;

    // Hand-over of the English book screens; the maintenance screen's count lands here too.
    int bookWordCount = 0;

    // The poem on show on the poem screens, -1 before the first choice.
    int currentPoem = -1;
};

} // namespace core
