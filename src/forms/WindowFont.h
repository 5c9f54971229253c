#pragma once

#include <QFont>

// The font of every window: the layouts in twips were made for a small sans-serif face of
// 8 points, so wider faces would cut captions short.
QFont WindowFont();
