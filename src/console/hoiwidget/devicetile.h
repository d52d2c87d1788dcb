#ifndef HOI_CONSOLE_DEVICETILE_H
#define HOI_CONSOLE_DEVICETILE_H

class CHOIDev;
class QPainter;

// Paints the 196 x 112 tile of one device: an olive 2-pixel frame, a light
// blue inside, the MAC and IP address top left and the display name in the
// middle. The drag pictures are painted with it. A null device gets the
// empty tile.
void PaintDeviceTile(QPainter *pPainter, CHOIDev *pDev);

#endif
