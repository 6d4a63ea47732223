// Must not compile: the program's folders are not on a platform library's include path.
#include "view/SceneView.h"
