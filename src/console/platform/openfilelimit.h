#ifndef HOI_CONSOLE_OPENFILELIMIT_H
#define HOI_CONSOLE_OPENFILELIMIT_H

// Every device link holds a socket, and a socket is an open file of the
// process. Where the system lets a process open fewer files than it would
// allow on request (a soft limit, often 1024), this asks for the most, so
// that a fleet of thousands of devices can be read back at once. True when
// the limit is as high as the system allows, or there is no such limit.
bool RaiseOpenFileLimit();

#endif
