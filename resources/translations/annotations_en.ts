<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CoordinationWidget</name>
    <message>
        <source>Note</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measures</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Sections</translation>
    </message>
    <message>
        <source>PMI</source>
        <translation>PMI</translation>
    </message>
    <message>
        <source>Coordination</source>
        <translation>Coordination</translation>
    </message>
    <message>
        <source>actionGoToNewGroupNode</source>
        <translation>Move to new group</translation>
    </message>
    <message>
        <source>actionGoToGroupNode</source>
        <translation>Move to group</translation>
    </message>
    <message>
        <source>actionClearNode</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>actionRenameNode</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>RevertNode</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>DeleteNode</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>CreateNode</source>
        <translation>New group</translation>
    </message>
    <message>
        <source>actionEditProperties</source>
        <translation>Edit attributes</translation>
    </message>
    <message>
        <source>actionViewProperties</source>
        <translation>View attributes</translation>
    </message>
    <message>
        <source>Annotation panel</source>
        <translation>Annotation panel</translation>
    </message>
    <message>
        <source>Annotation menu</source>
        <translation>Annotation menu</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groups</translation>
    </message>
</context>
</TS>
