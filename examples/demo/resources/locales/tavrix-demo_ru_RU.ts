<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>MainWindow</name>
    <message>
        <source>new installation</source>
        <translation>новая установка</translation>
    </message>
    <message>
        <source>reinstallation</source>
        <translation>переустановка</translation>
    </message>
    <message>
        <source>update</source>
        <translation>обновление</translation>
    </message>
    <message>
        <source>regular start</source>
        <translation>обычный запуск</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>не задан</translation>
    </message>
    <message>
        <source>Tavrix Demo</source>
        <translation>Tavrix Демо</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Перезапустить</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Сведения о запуске</translation>
    </message>
    <message>
        <source>Observed setting</source>
        <translation>Отслеживаемая настройка</translation>
    </message>
    <message>
        <source>Count a click</source>
        <translation>Посчитать щелчок</translation>
    </message>
    <message>
        <source>Clicks counted: %1</source>
        <translation>Насчитано щелчков: %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; version %2&lt;br&gt;Preferred browser: %3&lt;br&gt;Architecture: %4&lt;br&gt;Installed in: %5</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; версия %2&lt;br&gt;Предпочитаемый браузер: %3&lt;br&gt;Архитектура: %4&lt;br&gt;Папка установки: %5</translation>
    </message>
    <message>
        <source>Application started</source>
        <translation>Приложение запущено</translation>
    </message>
    <message>
        <source>%1 changed from %2 to %3</source>
        <translation>%1: значение изменено с %2 на %3</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>ничего</translation>
    </message>
    <message>
        <source>%1 set to %2</source>
        <translation>%1: задано значение %2</translation>
    </message>
    <message>
        <source>true</source>
        <translation>истина</translation>
    </message>
    <message>
        <source>false</source>
        <translation>ложь</translation>
    </message>
    <message>
        <source>%1 set to %2 bytes</source>
        <translation>%1: задано байтов: %2</translation>
    </message>
    <message>
        <source>Launch</source>
        <translation>Тип запуска</translation>
    </message>
    <message>
        <source>Clear crashes</source>
        <translation>Очистить сбои</translation>
    </message>
    <message>
        <source>Crash history cleared</source>
        <translation>История сбоев очищена</translation>
    </message>
    <message>
        <source>Launch type (product store): %1&lt;br&gt;Launch type (common store): %2&lt;br&gt;Days since the first start: %3&lt;br&gt;Session: %4</source>
        <translation>Тип запуска (хранилище продукта): %1&lt;br&gt;Тип запуска (общее хранилище): %2&lt;br&gt;Дней с первого запуска: %3&lt;br&gt;Сеанс: %4</translation>
    </message>
    <message>
        <source>Crashed session %1</source>
        <translation>Аварийный сеанс %1</translation>
    </message>
    <message>
        <source>No crashed sessions</source>
        <translation>Аварийных сеансов нет</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Тема</translation>
    </message>
    <message>
        <source>Look and feel</source>
        <translation>Внешний вид</translation>
    </message>
    <message>
        <source>Theme: %1</source>
        <translation>Тема: %1</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <translation>Язык: %1</translation>
    </message>
    <message>
        <source>Language switched to %1</source>
        <translation>Язык переключён на %1</translation>
    </message>
    <message>
        <source>Theme switched to %1</source>
        <translation>Тема переключена на %1</translation>
    </message>
</context>
<context>
    <name>HelperPage</name>
    <message>
        <source>Helper window</source>
        <translation>Окно помощника</translation>
    </message>
    <message>
        <source>Helper program</source>
        <translation>Программа-помощник</translation>
    </message>
    <message>
        <source>The helper is a second program of the product, started with its own window. When it closes, it asks this window for its id and hands the keyboard focus back to it.</source>
        <translation>Помощник — вторая программа продукта со своим окном. При закрытии он запрашивает у этого окна его идентификатор и возвращает ему фокус клавиатуры.</translation>
    </message>
    <message>
        <source>Open helper window</source>
        <translation>Открыть окно помощника</translation>
    </message>
    <message>
        <source>Open &amp;helper window</source>
        <translation>Открыть окно &amp;помощника</translation>
    </message>
    <message>
        <source>Helper started</source>
        <translation>Помощник запущен</translation>
    </message>
    <message>
        <source>Could not start the helper</source>
        <translation>Не удалось запустить помощника</translation>
    </message>
    <message>
        <source>The helper closed; the focus goes back to window %1</source>
        <translation>Помощник закрыт; фокус возвращается окну %1</translation>
    </message>
    <message>
        <source>The helper has ended</source>
        <translation>Помощник завершил работу</translation>
    </message>
</context>
<context>
    <name>HelperWindow</name>
    <message>
        <source>Tavrix Demo Helper</source>
        <translation>Помощник Tavrix Demo</translation>
    </message>
    <message>
        <source>Started by Tavrix Demo. Close this window and the keyboard focus goes back to the demo's window.</source>
        <translation>Запущено из Tavrix Demo. Закройте это окно, и фокус клавиатуры вернётся к окну демо.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
</TS>
