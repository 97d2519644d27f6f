#include "logdata/State.h"

namespace
{
ProgramState& instance()
{
    static ProgramState state;
    return state;
}
} // namespace

ProgramState& G()
{
    return instance();
}

void resetProgramState()
{
    instance() = ProgramState();
}
