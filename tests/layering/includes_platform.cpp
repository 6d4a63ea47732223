// Must compile: the same include roots reach every platform library and the format library.
#include "dazo/Vantor_Document.h"
#include "hostchannel/CopyDataChannel.h"
#include "osgqt/GraphicsWindowQt.h"
#include "ribbonbar/SARibbonMainWindow.h"
#include "vantor/dazoreader/DazoReaderWriter.h"
#include "vantor/note/NoteManager.h"
#include "vantor/section/SectionManager.h"
#include "vantor/view/ViewManager.h"
