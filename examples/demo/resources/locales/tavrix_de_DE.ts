<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ApplicationRestarter</name>
    <message>
        <source>Attention</source>
        <translation>Achtung</translation>
    </message>
    <message>
        <source>&lt;b&gt;This will restart the application.&lt;/b&gt;&lt;br&gt;Do you want to continue?</source>
        <translation>&lt;b&gt;Die Anwendung wird neu gestartet.&lt;/b&gt;&lt;br&gt;Möchten Sie fortfahren?</translation>
    </message>
</context>
<context>
    <name>Tavrix::Util::AlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Learn more</source>
        <translation>Mehr erfahren</translation>
    </message>
</context>
<context>
    <name>Tavrix::App::ConfirmationAlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
</context>
<context>
    <name>Tavrix::App::Informer</name>
    <message>
        <source>Email address has been copied to the clipboard</source>
        <translation>E-Mail-Adresse wurde in die Zwischenablage kopiert</translation>
    </message>
</context>
<context>
    <name>Tavrix::Mail::EmailDialog</name>
    <message>
        <source>Stay in touch</source>
        <translation>In Verbindung bleiben</translation>
    </message>
    <message>
        <source>Leave your e-mail address to hear about updates, tips and offers for %1.</source>
        <translation>Hinterlassen Sie Ihre E-Mail-Adresse, um über Updates, Tipps und Angebote zu %1 informiert zu werden.</translation>
    </message>
    <message>
        <source>E-mail address:</source>
        <translation>E-Mail-Adresse:</translation>
    </message>
    <message>
        <source>Please enter a valid e-mail address, such as name@example.com.</source>
        <translation>Bitte geben Sie eine gültige E-Mail-Adresse ein, zum Beispiel name@example.com.</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Abonnieren</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Nicht jetzt</translation>
    </message>
</context>
</TS>
