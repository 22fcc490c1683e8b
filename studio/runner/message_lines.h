// vantor-run's message handler: every debug line of the engine and the host
// as one line on standard error, without its type or place.
#pragma once

namespace vantor {

void installRunnerMessageHandler();

}  // namespace vantor
