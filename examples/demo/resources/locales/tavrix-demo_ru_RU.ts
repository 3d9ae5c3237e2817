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
    <name>DialogsPage</name>
    <message>
        <source>Delete</source>
        <translation>Удаление</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;?</source>
        <translation>Удалить «%1»?</translation>
    </message>
    <message>
        <source>Delete all</source>
        <translation>Удалить всё</translation>
    </message>
    <message>
        <source>Delete every item of the list?</source>
        <translation>Удалить все элементы списка?</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2&lt;br&gt;The sample product of the Tavrix application core.&lt;br&gt;Web: &lt;a href=&quot;%3&quot;&gt;%3&lt;/a&gt;&lt;br&gt;E-mail: &lt;a href=&quot;mailto:%4&quot;&gt;%4&lt;/a&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; %2&lt;br&gt;Пример продукта на ядре приложений Tavrix.&lt;br&gt;Сайт: &lt;a href=&quot;%3&quot;&gt;%3&lt;/a&gt;&lt;br&gt;Эл. почта: &lt;a href=&quot;mailto:%4&quot;&gt;%4&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Dialogs</source>
        <translation>Диалоги</translation>
    </message>
    <message>
        <source>&amp;Dialogs</source>
        <translation>&amp;Диалоги</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Окно</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Удалить...</translation>
    </message>
    <message>
        <source>Delete &amp;all...</source>
        <translation>Удалить &amp;всё...</translation>
    </message>
    <message>
        <source>&amp;Restore the list</source>
        <translation>&amp;Восстановить список</translation>
    </message>
    <message>
        <source>Pick a &amp;colour...</source>
        <translation>Выбрать &amp;цвет...</translation>
    </message>
    <message>
        <source>Ask all &amp;questions again</source>
        <translation>Снова задавать все &amp;вопросы</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Свернуть</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Масштаб</translation>
    </message>
    <message>
        <source>&amp;About Tavrix Demo...</source>
        <translation>&amp;О программе Tavrix Demo...</translation>
    </message>
    <message>
        <source>Confirmations</source>
        <translation>Подтверждения</translation>
    </message>
    <message>
        <source>Tick &quot;Don&apos;t show this again&quot; in a question to answer it for good; &quot;Ask all questions again&quot; forgets every remembered answer.</source>
        <translation>Отметьте «Больше не показывать» в вопросе, чтобы ответить на него навсегда; «Снова задавать все вопросы» забывает все запомненные ответы.</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <source>%1. The colour dialog&apos;s custom colours are kept for the next start.</source>
        <translation>%1. Пользовательские цвета диалога выбора цвета сохраняются до следующего запуска.</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Окно</translation>
    </message>
</context>
<context>
    <name>TouchPage</name>
    <message>
        <source>Touch</source>
        <translation>Касание</translation>
    </message>
    <message>
        <source>Drag the list with one finger on a touch screen: it follows the finger. Every list, tree, table and scroll view of the product scrolls this way, without any code of the product&apos;s own.</source>
        <translation>Потяните список одним пальцем на сенсорном экране: он следует за пальцем. Так прокручивается каждый список, дерево, таблица и прокручиваемая область продукта, без собственного кода продукта.</translation>
    </message>
    <message>
        <source>Row %1 of %2</source>
        <translation>Строка %1 из %2</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>Help Center</source>
        <translation>Справочный центр</translation>
    </message>
    <message>
        <source>Live Chat</source>
        <translation>Онлайн-чат</translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation>Связаться с поддержкой</translation>
    </message>
    <message>
        <source>What&apos;s New</source>
        <translation>Что нового</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Проверить обновления</translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation>Политика конфиденциальности</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Домашняя страница</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>О программе %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Version %2&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%3&quot;&gt;Visit the home page&lt;/a&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Версия %2&lt;br&gt;&lt;br&gt;&lt;a href=&quot;%3&quot;&gt;Перейти на домашнюю страницу&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Update check requested</source>
        <translation>Запрошена проверка обновлений</translation>
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
        <source>Started by Tavrix Demo. Close this window and the keyboard focus goes back to the demo&apos;s window.</source>
        <translation>Запущено из Tavrix Demo. Закройте это окно, и фокус клавиатуры вернётся к окну демо.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CrashReportView</name>
    <message>
        <source>Pick a crashed session to see its report: the signal or the uncaught exception, and the call stack.</source>
        <translation>Выберите аварийно завершившийся сеанс, чтобы увидеть его отчёт: сигнал или неперехваченное исключение и стек вызовов.</translation>
    </message>
</context>
</TS>
