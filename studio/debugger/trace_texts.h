// Every text the debugger and the run controls print on the console while a
// script runs. Users and support follow runs on the terminal by these lines,
// and the studio's tests compare them byte for byte (run_thread_test, and
// debugger_trace_test against the recorded standard error in
// tests/studio/trace_fixtures): change none of them, and print none in
// between, without re-recording those fixtures.
#pragma once

namespace vantor::trace {

// Standard error, two lines for every statement the engine reports.
constexpr char kPositionChange[] = "positionChange";
constexpr char kInfo[] = "info";
// Standard error, after those two while any breakpoint is listed: this text,
// a space and the identifier of the breakpoint on the line (-1: none).
constexpr char kHasBreakpoints[] = "hasBreakpoints";
// Standard error, when a statement pauses: the first two before its position
// is reported, the third when the pause begins.
constexpr char kEnterInteractiveMode[] = "enterInteractiveMode";
constexpr char kAssert[] = "Q_ASSERT";
constexpr char kInteractive[] = "interactive";
// Standard error, when a pause has no function scope and shows the globals.
constexpr char kGlobalScope[] = "获取it";
// Standard error, at every change of the debugger's mode (start, controls, end).
constexpr char kMode[] = "mode";
// Standard error and the log panel: an exception no script handler catches.
constexpr char kUncaughtException[] = "uncaught exception: %1";

// Standard output: a breakpoint hit (identifier from 1, file name, line).
constexpr char kBreakpointHit[] = "Breakpoint %1 at %2:%3";
// Standard output: the line a pause or an uncaught exception is at, and its text.
constexpr char kLineAndText[] = "%1\t%2";
// The line text when the script of an exception is not known.
constexpr char kNoSourceText[] = "(no source text available)";
// Standard output: one variable of a pause, "name = value".
constexpr char kVariable[] = "%1 = %2";
// Standard output: reading the variables of a pause failed.
constexpr char kVariablesFailed[] = "环境变量异常";

// Debug output of the run object: a step control reaches the running script.
constexpr char kNextStepInto[] = "nextStep Into";
constexpr char kNextStepOver[] = "nextStep Over";
constexpr char kNextStepOut[] = "nextStep Out";
// Debug output of the run controls, around a step control sent to a running script.
constexpr char kStepSending[] = "runjs isRun";
constexpr char kStepSent[] = "runjs isRun1";
// Debug output of the run controls, around the start of a step-into run's thread.
constexpr char kThreadStarting[] = "开始准备执行线程";
constexpr char kThreadStarted[] = "开始执行线程";

}  // namespace vantor::trace
