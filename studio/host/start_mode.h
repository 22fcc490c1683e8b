// How a run starts: the choice of the control that started it, carried from
// the run controls to the run object in one value.
#pragma once

namespace vantor {

enum class StartMode {
    Run,       // no pauses; breakpoints are not set
    Debug,     // runs to the first breakpoint
    StepInto,  // passes the first statement, pauses at the second
    StepOver,  // pauses at the first statement
    StepOut,   // runs to the first breakpoint
};

}  // namespace vantor
