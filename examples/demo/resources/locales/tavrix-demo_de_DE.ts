<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainWindow</name>
    <message>
        <source>new installation</source>
        <translation>Neuinstallation</translation>
    </message>
    <message>
        <source>reinstallation</source>
        <translation>erneute Installation</translation>
    </message>
    <message>
        <source>update</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>regular start</source>
        <translation>regulärer Start</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>Tavrix Demo</source>
        <translation>Tavrix-Demo</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Neu starten</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Programmstart</translation>
    </message>
    <message>
        <source>Observed setting</source>
        <translation>Beobachtete Einstellung</translation>
    </message>
    <message>
        <source>Count a click</source>
        <translation>Klick zählen</translation>
    </message>
    <message>
        <source>Clicks counted: %1</source>
        <translation>Gezählte Klicks: %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; version %2&lt;br&gt;Preferred browser: %3&lt;br&gt;Architecture: %4&lt;br&gt;Installed in: %5</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; Version %2&lt;br&gt;Bevorzugter Browser: %3&lt;br&gt;Architektur: %4&lt;br&gt;Installiert in: %5</translation>
    </message>
    <message>
        <source>Application started</source>
        <translation>Anwendung gestartet</translation>
    </message>
    <message>
        <source>%1 changed from %2 to %3</source>
        <translation>%1 von %2 auf %3 geändert</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>%1 set to %2</source>
        <translation>%1 auf %2 gesetzt</translation>
    </message>
    <message>
        <source>true</source>
        <translation>wahr</translation>
    </message>
    <message>
        <source>false</source>
        <translation>falsch</translation>
    </message>
    <message>
        <source>%1 set to %2 bytes</source>
        <translation>%1 auf %2 Bytes gesetzt</translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>Programmaufruf</translation>
    </message>
    <message>
        <source>Clear crashes</source>
        <translation>Abstürze löschen</translation>
    </message>
    <message>
        <source>Crash history cleared</source>
        <translation>Absturzverlauf gelöscht</translation>
    </message>
    <message>
        <source>Launch type (product store): %1&lt;br&gt;Launch type (common store): %2&lt;br&gt;Days since the first start: %3&lt;br&gt;Session: %4</source>
        <translation>Starttyp (Produktspeicher): %1&lt;br&gt;Starttyp (gemeinsamer Speicher): %2&lt;br&gt;Tage seit dem ersten Start: %3&lt;br&gt;Sitzung: %4</translation>
    </message>
    <message>
        <source>Crashed session %1</source>
        <translation>Abgestürzte Sitzung %1</translation>
    </message>
    <message>
        <source>No crashed sessions</source>
        <translation>Keine abgestürzten Sitzungen</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>Desi&amp;gn</translation>
    </message>
    <message>
        <source>Look and feel</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Theme: %1</source>
        <translation>Design: %1</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <translation>Sprache: %1</translation>
    </message>
    <message>
        <source>Language switched to %1</source>
        <translation>Sprache gewechselt zu %1</translation>
    </message>
    <message>
        <source>Theme switched to %1</source>
        <translation>Design gewechselt zu %1</translation>
    </message>
</context>
<context>
    <name>DialogsPage</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;?</source>
        <translation>„%1“ löschen?</translation>
    </message>
    <message>
        <source>Delete all</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Delete every item of the list?</source>
        <translation>Alle Einträge der Liste löschen?</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2&lt;br&gt;The sample product of the Tavrix application core.&lt;br&gt;Web: &lt;a href=&quot;%3&quot;&gt;%3&lt;/a&gt;&lt;br&gt;E-mail: &lt;a href=&quot;mailto:%4&quot;&gt;%4&lt;/a&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; %2&lt;br&gt;Das Beispielprodukt des Tavrix-Anwendungskerns.&lt;br&gt;Web: &lt;a href=&quot;%3&quot;&gt;%3&lt;/a&gt;&lt;br&gt;E-Mail: &lt;a href=&quot;mailto:%4&quot;&gt;%4&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Dialogs</source>
        <translation>Dialoge</translation>
    </message>
    <message>
        <source>&amp;Dialogs</source>
        <translation>&amp;Dialoge</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Löschen...</translation>
    </message>
    <message>
        <source>Delete &amp;all...</source>
        <translation>&amp;Alle löschen...</translation>
    </message>
    <message>
        <source>&amp;Restore the list</source>
        <translation>Liste &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>Pick a &amp;colour...</source>
        <translation>&amp;Farbe wählen...</translation>
    </message>
    <message>
        <source>Ask all &amp;questions again</source>
        <translation>Alle &amp;Fragen wieder stellen</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimieren</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoomen</translation>
    </message>
    <message>
        <source>&amp;About Tavrix Demo...</source>
        <translation>&amp;Über Tavrix Demo...</translation>
    </message>
    <message>
        <source>Confirmations</source>
        <translation>Rückfragen</translation>
    </message>
    <message>
        <source>Tick &quot;Don&apos;t show this again&quot; in a question to answer it for good; &quot;Ask all questions again&quot; forgets every remembered answer.</source>
        <translation>Kreuzen Sie in einer Frage „Nicht mehr anzeigen“ an, um sie endgültig zu beantworten; „Alle Fragen wieder stellen“ vergisst alle gemerkten Antworten.</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>%1. The colour dialog&apos;s custom colours are kept for the next start.</source>
        <translation>%1. Die benutzerdefinierten Farben des Farbdialogs bleiben für den nächsten Start erhalten.</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
</context>
<context>
    <name>TouchPage</name>
    <message>
        <source>Touch</source>
        <translation>Berührung</translation>
    </message>
    <message>
        <source>Drag the list with one finger on a touch screen: it follows the finger. Every list, tree, table and scroll view of the product scrolls this way, without any code of the product&apos;s own.</source>
        <translation>Ziehen Sie die Liste auf einem Touchscreen mit einem Finger: Sie folgt dem Finger. Jede Liste, jeder Baum, jede Tabelle und jede Bildlaufansicht des Produkts rollt so, ohne eigenen Code des Produkts.</translation>
    </message>
    <message>
        <source>Row %1 of %2</source>
        <translation>Zeile %1 von %2</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>Help Center</source>
        <translation>Hilfe-Center</translation>
    </message>
    <message>
        <source>Live Chat</source>
        <translation>Live-Chat</translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation>Support kontaktieren</translation>
    </message>
    <message>
        <source>What&apos;s New</source>
        <translation>Neuigkeiten</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Startseite</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version %2&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%3&quot;&gt;Visit the home page&lt;/a&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version %2&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%3&quot;&gt;Zur Startseite&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Update check requested</source>
        <translation>Update-Prüfung angefordert</translation>
    </message>
</context>
<context>
    <name>HelperPage</name>
    <message>
        <source>Helper window</source>
        <translation>Hilfsfenster</translation>
    </message>
    <message>
        <source>Helper program</source>
        <translation>Hilfsprogramm</translation>
    </message>
    <message>
        <source>The helper is a second program of the product, started with its own window. When it closes, it asks this window for its id and hands the keyboard focus back to it.</source>
        <translation>Der Helfer ist ein zweites Programm des Produkts mit einem eigenen Fenster. Beim Schließen fragt er dieses Fenster nach seiner Kennung und gibt ihm den Tastaturfokus zurück.</translation>
    </message>
    <message>
        <source>Open helper window</source>
        <translation>Hilfsfenster öffnen</translation>
    </message>
    <message>
        <source>Open &amp;helper window</source>
        <translation>&amp;Hilfsfenster öffnen</translation>
    </message>
    <message>
        <source>Helper started</source>
        <translation>Helfer gestartet</translation>
    </message>
    <message>
        <source>Could not start the helper</source>
        <translation>Der Helfer konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>The helper closed; the focus goes back to window %1</source>
        <translation>Der Helfer wurde geschlossen; der Fokus geht zurück an Fenster %1</translation>
    </message>
    <message>
        <source>The helper has ended</source>
        <translation>Der Helfer wurde beendet</translation>
    </message>
</context>
<context>
    <name>HelperWindow</name>
    <message>
        <source>Tavrix Demo Helper</source>
        <translation>Tavrix Demo Helfer</translation>
    </message>
    <message>
        <source>Started by Tavrix Demo. Close this window and the keyboard focus goes back to the demo&apos;s window.</source>
        <translation>Von Tavrix Demo gestartet. Schließen Sie dieses Fenster, und der Tastaturfokus geht zurück an das Fenster der Demo.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CrashReportView</name>
    <message>
        <source>Pick a crashed session to see its report: the signal or the uncaught exception, and the call stack.</source>
        <translation>Wählen Sie eine abgestürzte Sitzung, um ihren Bericht zu sehen: das Signal oder die nicht abgefangene Ausnahme und den Aufrufstapel.</translation>
    </message>
</context>
</TS>
