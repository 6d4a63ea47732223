// Must not compile: the model reader's parsed records are its own, not a platform library's to use.
#include "vantor/dazoreader/DazoArchiveRecords.h"
