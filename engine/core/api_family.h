// The api family: initialisation and access to the shared record.
#pragma once

#include "tavix/record.hpp"

namespace tavix::core {

void initialize();
void getData(TX_api** out);
void setData(const TX_api* source);
const char* banner();

}  // namespace tavix::core
