<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MenuContent</name>
    <message numerus="yes">
        <source>Review %n File(s)…</source>
        <translation>
            <numerusform>Review %n File…</numerusform>
            <numerusform>Review %n Files…</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReasonText</name>
    <message numerus="yes">
        <source>Like “%1” here and %n more file(s)</source>
        <translation>
            <numerusform>Like “%1” here and %n more file</numerusform>
            <numerusform>Like “%1” here and %n more files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::Notices</name>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>and %n more</numerusform>
            <numerusform>and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) are ready to tidy</source>
        <translation>
            <numerusform>%n file is ready to tidy</numerusform>
            <numerusform>%n files are ready to tidy</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n file(s)</source>
        <translation>
            <numerusform>Moved %n file</numerusform>
            <numerusform>Moved %n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) came back under a new name, as the old one was taken.</source>
        <translation>
            <numerusform>%n file came back under a new name, as the old one was taken.</numerusform>
            <numerusform>%n files came back under a new name, as the old one was taken.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s)</source>
        <translation>
            <numerusform>Put back %n file</numerusform>
            <numerusform>Put back %n files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::ReviewBottomBar</name>
    <message numerus="yes">
        <source>&amp;Tidy %n File(s)</source>
        <translation>
            <numerusform>&amp;Tidy %n File</numerusform>
            <numerusform>&amp;Tidy %n Files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n file(s)</source>
        <translation>
            <numerusform>Moved %n file</numerusform>
            <numerusform>Moved %n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) are back</source>
        <translation>
            <numerusform>%n file is back</numerusform>
            <numerusform>%n files are back</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::ReviewWindow</name>
    <message numerus="yes">
        <source>%n File(s) to Tidy — Vesk</source>
        <translation>
            <numerusform>%n File to Tidy — Vesk</numerusform>
            <numerusform>%n Files to Tidy — Vesk</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::Tray</name>
    <message numerus="yes">
        <source>Vesk: %n file(s) to tidy</source>
        <translation>
            <numerusform>Vesk: %n file to tidy</numerusform>
            <numerusform>Vesk: %n files to tidy</numerusform>
        </translation>
    </message>
</context>
</TS>
