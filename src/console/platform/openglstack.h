#ifndef HOI_CONSOLE_OPENGLSTACK_H
#define HOI_CONSOLE_OPENGLSTACK_H

// The console draws every window with the raster engine and never asks for
// an OpenGL context. On X11 the platform plugin still loads its GLX
// integration at start, and with it the system's OpenGL drivers (some 50 MB
// resident on a virtual screen). Called before the application object is
// built, this keeps them unloaded; a choice made in the environment stays.
void LeaveOpenGLUnloaded();

#endif
