#ifndef TAVQ_LOOKPICTURE_H
#define TAVQ_LOOKPICTURE_H

#include <QImage>
#include <QString>

// Keeps a picture of what a test painted, for a person to look at, in the
// "pictures" folder beside the test executable (never a shared fixed path, so
// suites running in parallel do not collide). Returns false when it cannot write.
bool saveLookPicture(const QImage &image, const QString &fileName);

#endif
