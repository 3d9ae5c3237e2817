<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ApplicationRestarter</name>
    <message>
        <source>Attention</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>&lt;b&gt;This will restart the application.&lt;/b&gt;&lt;br&gt;Do you want to continue?</source>
        <translation>&lt;b&gt;Приложение будет перезапущено.&lt;/b&gt;&lt;br&gt;Продолжить?</translation>
    </message>
</context>
<context>
    <name>Tavrix::Util::AlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Больше не показывать</translation>
    </message>
    <message>
        <source>Learn more</source>
        <translation>Подробнее</translation>
    </message>
</context>
<context>
    <name>Tavrix::App::ConfirmationAlertBox</name>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Больше не показывать</translation>
    </message>
</context>
<context>
    <name>Tavrix::App::Informer</name>
    <message>
        <source>Email address has been copied to the clipboard</source>
        <translation>Адрес электронной почты скопирован в буфер обмена</translation>
    </message>
</context>
<context>
    <name>Tavrix::Mail::EmailDialog</name>
    <message>
        <source>Stay in touch</source>
        <translation>Оставайтесь на связи</translation>
    </message>
    <message>
        <source>Leave your e-mail address to hear about updates, tips and offers for %1.</source>
        <translation>Оставьте свой адрес электронной почты, чтобы узнавать об обновлениях, советах и предложениях для %1.</translation>
    </message>
    <message>
        <source>E-mail address:</source>
        <translation>Адрес электронной почты:</translation>
    </message>
    <message>
        <source>Please enter a valid e-mail address, such as name@example.com.</source>
        <translation>Введите правильный адрес электронной почты, например name@example.com.</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Политика конфиденциальности</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Подписаться</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Не сейчас</translation>
    </message>
</context>
</TS>
