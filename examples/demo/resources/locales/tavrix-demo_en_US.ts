<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>new installation</source>
        <translation>new installation</translation>
    </message>
    <message>
        <source>reinstallation</source>
        <translation>reinstallation</translation>
    </message>
    <message>
        <source>update</source>
        <translation>update</translation>
    </message>
    <message>
        <source>regular start</source>
        <translation>regular start</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>Tavrix Demo</source>
        <translation>Tavrix Demo</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Restart</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Start-up</translation>
    </message>
    <message>
        <source>Observed setting</source>
        <translation>Observed setting</translation>
    </message>
    <message>
        <source>Count a click</source>
        <translation>Count a click</translation>
    </message>
    <message>
        <source>Clicks counted: %1</source>
        <translation>Clicks counted: %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; version %2&lt;br&gt;Preferred browser: %3&lt;br&gt;Architecture: %4&lt;br&gt;Installed in: %5</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; version %2&lt;br&gt;Preferred browser: %3&lt;br&gt;Architecture: %4&lt;br&gt;Installed in: %5</translation>
    </message>
    <message>
        <source>Application started</source>
        <translation>Application started</translation>
    </message>
    <message>
        <source>%1 changed from %2 to %3</source>
        <translation>%1 changed from %2 to %3</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>%1 set to %2</source>
        <translation>%1 set to %2</translation>
    </message>
    <message>
        <source>true</source>
        <translation>true</translation>
    </message>
    <message>
        <source>false</source>
        <translation>false</translation>
    </message>
    <message>
        <source>%1 set to %2 bytes</source>
        <translation>%1 set to %2 bytes</translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>Launch</translation>
    </message>
    <message>
        <source>Clear crashes</source>
        <translation>Clear crashes</translation>
    </message>
    <message>
        <source>Crash history cleared</source>
        <translation>Crash history cleared</translation>
    </message>
    <message>
        <source>Launch type (product store): %1&lt;br&gt;Launch type (common store): %2&lt;br&gt;Days since the first start: %3&lt;br&gt;Session: %4</source>
        <translation>Launch type (product store): %1&lt;br&gt;Launch type (common store): %2&lt;br&gt;Days since the first start: %3&lt;br&gt;Session: %4</translation>
    </message>
    <message>
        <source>Crashed session %1</source>
        <translation>Crashed session %1</translation>
    </message>
    <message>
        <source>No crashed sessions</source>
        <translation>No crashed sessions</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Theme</translation>
    </message>
    <message>
        <source>Look and feel</source>
        <translation>Look and feel</translation>
    </message>
    <message>
        <source>Theme: %1</source>
        <translation>Theme: %1</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <translation>Language: %1</translation>
    </message>
    <message>
        <source>Language switched to %1</source>
        <translation>Language switched to %1</translation>
    </message>
    <message>
        <source>Theme switched to %1</source>
        <translation>Theme switched to %1</translation>
    </message>
</context>
<context>
    <name>DialogsPage</name>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;?</source>
        <translation>Delete &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Delete all</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Delete every item of the list?</source>
        <translation>Delete every item of the list?</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2&lt;br&gt;The sample product of the Tavrix application core.&lt;br&gt;Web: &lt;a href=&quot;%3&quot;&gt;%3&lt;/a&gt;&lt;br&gt;E-mail: &lt;a href=&quot;mailto:%4&quot;&gt;%4&lt;/a&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; %2&lt;br&gt;The sample product of the Tavrix application core.&lt;br&gt;Web: &lt;a href=&quot;%3&quot;&gt;%3&lt;/a&gt;&lt;br&gt;E-mail: &lt;a href=&quot;mailto:%4&quot;&gt;%4&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Dialogs</source>
        <translation>Dialogs</translation>
    </message>
    <message>
        <source>&amp;Dialogs</source>
        <translation>&amp;Dialogs</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Delete...</translation>
    </message>
    <message>
        <source>Delete &amp;all...</source>
        <translation>Delete &amp;all...</translation>
    </message>
    <message>
        <source>&amp;Restore the list</source>
        <translation>&amp;Restore the list</translation>
    </message>
    <message>
        <source>Pick a &amp;colour...</source>
        <translation>Pick a &amp;colour...</translation>
    </message>
    <message>
        <source>Ask all &amp;questions again</source>
        <translation>Ask all &amp;questions again</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimize</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>&amp;About Tavrix Demo...</source>
        <translation>&amp;About Tavrix Demo...</translation>
    </message>
    <message>
        <source>Confirmations</source>
        <translation>Confirmations</translation>
    </message>
    <message>
        <source>Tick &quot;Don&apos;t show this again&quot; in a question to answer it for good; &quot;Ask all questions again&quot; forgets every remembered answer.</source>
        <translation>Tick &quot;Don&apos;t show this again&quot; in a question to answer it for good; &quot;Ask all questions again&quot; forgets every remembered answer.</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>%1. The colour dialog&apos;s custom colours are kept for the next start.</source>
        <translation>%1. The colour dialog&apos;s custom colours are kept for the next start.</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Window</translation>
    </message>
</context>
<context>
    <name>TouchPage</name>
    <message>
        <source>Touch</source>
        <translation>Touch</translation>
    </message>
    <message>
        <source>Drag the list with one finger on a touch screen: it follows the finger. Every list, tree, table and scroll view of the product scrolls this way, without any code of the product&apos;s own.</source>
        <translation>Drag the list with one finger on a touch screen: it follows the finger. Every list, tree, table and scroll view of the product scrolls this way, without any code of the product&apos;s own.</translation>
    </message>
    <message>
        <source>Row %1 of %2</source>
        <translation>Row %1 of %2</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>Help Center</source>
        <translation>Help Center</translation>
    </message>
    <message>
        <source>Live Chat</source>
        <translation>Live Chat</translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation>Contact Support</translation>
    </message>
    <message>
        <source>What&apos;s New</source>
        <translation>What&apos;s New</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation>Privacy Policy</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Home Page</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version %2&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%3&quot;&gt;Visit the home page&lt;/a&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version %2&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%3&quot;&gt;Visit the home page&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Update check requested</source>
        <translation>Update check requested</translation>
    </message>
</context>
<context>
    <name>HelperPage</name>
    <message>
        <source>Helper window</source>
        <translation>Helper window</translation>
    </message>
    <message>
        <source>Helper program</source>
        <translation>Helper program</translation>
    </message>
    <message>
        <source>The helper is a second program of the product, started with its own window. When it closes, it asks this window for its id and hands the keyboard focus back to it.</source>
        <translation>The helper is a second program of the product, started with its own window. When it closes, it asks this window for its id and hands the keyboard focus back to it.</translation>
    </message>
    <message>
        <source>Open helper window</source>
        <translation>Open helper window</translation>
    </message>
    <message>
        <source>Open &amp;helper window</source>
        <translation>Open &amp;helper window</translation>
    </message>
    <message>
        <source>Helper started</source>
        <translation>Helper started</translation>
    </message>
    <message>
        <source>Could not start the helper</source>
        <translation>Could not start the helper</translation>
    </message>
    <message>
        <source>The helper closed; the focus goes back to window %1</source>
        <translation>The helper closed; the focus goes back to window %1</translation>
    </message>
    <message>
        <source>The helper has ended</source>
        <translation>The helper has ended</translation>
    </message>
</context>
<context>
    <name>HelperWindow</name>
    <message>
        <source>Tavrix Demo Helper</source>
        <translation>Tavrix Demo Helper</translation>
    </message>
    <message>
        <source>Started by Tavrix Demo. Close this window and the keyboard focus goes back to the demo&apos;s window.</source>
        <translation>Started by Tavrix Demo. Close this window and the keyboard focus goes back to the demo&apos;s window.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CrashReportView</name>
    <message>
        <source>Pick a crashed session to see its report: the signal or the uncaught exception, and the call stack.</source>
        <translation>Pick a crashed session to see its report: the signal or the uncaught exception, and the call stack.</translation>
    </message>
</context>
</TS>
