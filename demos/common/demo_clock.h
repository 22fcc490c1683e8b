/* Waiting in the demos without a system header in their sources. */
#ifndef DEMO_CLOCK_H
#define DEMO_CLOCK_H

void demo_wait_ms(int milliseconds);

#endif
