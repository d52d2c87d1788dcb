#include "simdelay.h"

#include <QtGlobal>

int SimExtraAnswerDelay()
{
    static const int nDelay = qMax(0, qEnvironmentVariableIntValue("HOI_DEVSIM_ANSWER_DELAY_MS"));
    return nDelay;
}
