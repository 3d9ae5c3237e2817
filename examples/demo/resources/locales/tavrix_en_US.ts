<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ApplicationRestarter</name>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>&lt;b&gt;This will restart the application.&lt;/b&gt;&lt;br&gt;Do you want to continue?</source>
        <translation>&lt;b&gt;This will restart the application.&lt;/b&gt;&lt;br&gt;Do you want to continue?</translation>
    </message>
</context>
<context>
    <name>Tavrix::Util::AlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Don&apos;t show this again</translation>
    </message>
    <message>
        <source>Learn more</source>
        <translation>Learn more</translation>
    </message>
</context>
<context>
    <name>Tavrix::App::ConfirmationAlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Don&apos;t show this again</translation>
    </message>
</context>
<context>
    <name>Tavrix::App::Informer</name>
    <message>
        <source>Email address has been copied to the clipboard</source>
        <translation>Email address has been copied to the clipboard</translation>
    </message>
</context>
</TS>
