#pragma once

#include "vantor/basereader/BaseReader.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <string>

// Writes a scene's assembly as a bill of materials (docs/bom-format.md): every model with its id,
// name, placement, visibility and children; a model read as the top of a model file names that
// file, so reading the bill of materials loads it again.
class DazoJsonWriter : public BaseWriter
{
public:
    DazoJsonWriter();
    ~DazoJsonWriter() override;

    // out: UTF-8 JSON text. false (out untouched) when there is no root.
    bool saveJson(osg::ref_ptr<osg::Node> root, std::string& out);
};
