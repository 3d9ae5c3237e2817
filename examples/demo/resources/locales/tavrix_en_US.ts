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
<context>
    <name>Tavrix::Mail::EmailDialog</name>
    <message>
        <source>Stay in touch</source>
        <translation>Stay in touch</translation>
    </message>
    <message>
        <source>Leave your e-mail address to hear about updates, tips and offers for %1.</source>
        <translation>Leave your e-mail address to hear about updates, tips and offers for %1.</translation>
    </message>
    <message>
        <source>E-mail address:</source>
        <translation>E-mail address:</translation>
    </message>
    <message>
        <source>Please enter a valid e-mail address, such as name@example.com.</source>
        <translation>Please enter a valid e-mail address, such as name@example.com.</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Privacy policy</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Subscribe</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Not now</translation>
    </message>
</context>
</TS>
