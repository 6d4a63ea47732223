#pragma once

namespace osg {
// 64-bit id of models, notes, measures, sections and saved views. 0 stands for the scene's top model.
typedef unsigned long long OSG_ID;
}

namespace Vantor {

// A new model id from the one process-wide generator: never 0, never handed out twice, thread-safe.
osg::OSG_ID GenerateModelID();
// Marks an id as taken (read from a file), so the generator only hands out larger ones afterwards.
void ReserveModelID(osg::OSG_ID id);

} // namespace Vantor
