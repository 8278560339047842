#include "ops/Standby.h"

StandbyFlag& Standby()
{
    static StandbyFlag flag;
    return flag;
}
