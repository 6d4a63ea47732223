#pragma once

#include "dazo/DazoExport.h"

namespace VantorSoft {

// Version information of the archive format and of the converter that wrote it.
class DAZO_API Vantor_Infomation {
public:
    Vantor_Infomation() = default;
    virtual ~Vantor_Infomation() = default;
    Vantor_Infomation& operator=(const Vantor_Infomation&) = default;

    // Sets on the document's root "version": "1.0.0" and "info": {"converter": {"version": "2.0.0"}}.
    // Members already present are replaced, never duplicated. A null document is ignored.
    static void ToPropertyBuffer(void* document);
};

} // namespace VantorSoft
