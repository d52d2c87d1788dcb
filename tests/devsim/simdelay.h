#ifndef DEVSIM_SIMDELAY_H
#define DEVSIM_SIMDELAY_H

// HOI_DEVSIM_ANSWER_DELAY_MS=N: every simulated device's shell and web
// server answer N ms later than they would (a shell's echo still at once),
// so that a test shows whether it waits for the end of what it started
// rather than for fast answers. Discovery replies are not held back: a
// search listens for a fixed time, which tests shorten. 0 when unset; read
// once.
int SimExtraAnswerDelay();

#endif // DEVSIM_SIMDELAY_H
