<?php
// The mail script of a page's form, written by Vendaro: the shop's order
// pages (or a form creator's page) post here instead of opening the visitor's
// mail program; the script checks the post and mails it to the merchant as
// the plain text mail that Vendaro's intake reads ("name=value" lines under
// the form's subject). Runs on PHP 7.4 and later with the default extensions.

$ORDER_ADDRESS = '@ORDER_ADDRESS@';
// Optional SMTP instead of PHP's mail(): a file order-smtp.php beside this
// one that sets $SMTP_HOST (and $SMTP_PORT, $SMTP_USER, $SMTP_PASSWORD).
$SMTP_HOST = '';
$SMTP_PORT = 587;
$SMTP_USER = '';
$SMTP_PASSWORD = '';
if (is_file(__DIR__ . '/order-smtp.php')) {
    include __DIR__ . '/order-smtp.php';
}

// --- the form ---
$SUBJECT = 'Online Order';
$KNOWN_FIELDS = array(
    'DESCRIPTION', 'AMOUNT', 'R11', 'R12', 'T1', 'T2', 'T3', 'T4', 'T5', 'T6',
    'V1', 'V2', 'V3', 'V4', 'C1', 'NameB', 'NameS', 'Adrs1B', 'Adrs1S', 'Adrs2B',
    'Adrs2S', 'CityB', 'CityS', 'StateB', 'StateS', 'ZIPB', 'ZIPS', 'PhoneE',
    'PhoneD', 'E_Mail1', 'E_Mail2', 'Name', 'Adrs1', 'Adrs2', 'City', 'State',
    'ZIP', 'Phone', 'Cust_Serv_Phone', 'METHOD', 'CCNumber', 'CCExp', 'Note',
    'B1', 'B2',
);
// Fields that may hold several lines, with their size limits in bytes.
$MULTI_LINE = array('DESCRIPTION' => 20000, 'Note' => 4000);
// An order needs its items, total and name, and keeps no card number whole.
$IS_ORDER = true;
$HONEYPOT = 'website';
$FILL_TIME = 'fill_ms';
$NOUN = 'order';
$FORM_NAME = 'order form';
$THANKS_TITLE = 'Thank you for your order';
$THANKS_TEXT = 'Your order was sent to us. This is what you ordered:';
// --- end of the form ---
$FIELD_LIMIT = 200;
$POST_LIMIT = 65536;
$MIN_FILL_MS = 2000;

function h($text)
{
    return htmlspecialchars($text, ENT_QUOTES, 'UTF-8');
}

function page($status, $title, $body)
{
    http_response_code($status);
    header('Content-Type: text/html; charset=UTF-8');
    header('Cache-Control: no-store');
    echo "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"UTF-8\">\n<title>" . h($title)
        . "</title>\n</head>\n<body>\n<h3>" . h($title) . "</h3>\n" . $body . "</body>\n</html>\n";
    exit;
}

function refuse($status, $why)
{
    global $NOUN, $FORM_NAME;
    page($status, "Your $NOUN was not sent",
        '<p>' . h($why) . "</p>\n<p>Nothing was sent. Please go back to the $FORM_NAME.</p>\n");
}

function isLoopback($address)
{
    return $address === '127.0.0.1' || $address === '::1' || strpos($address, '127.') === 0;
}

function isSecure()
{
    $https = isset($_SERVER['HTTPS']) ? $_SERVER['HTTPS'] : '';
    $remote = isset($_SERVER['REMOTE_ADDR']) ? $_SERVER['REMOTE_ADDR'] : '';
    return ($https !== '' && strtolower($https) !== 'off') || isLoopback($remote);
}

// The card number as its last four digits behind a star for every other digit.
function maskedCard($number)
{
    $digits = preg_replace('/[^0-9]/', '', $number);
    if (strlen($digits) <= 4) {
        return $digits;
    }
    return str_repeat('*', strlen($digits) - 4) . substr($digits, -4);
}

// The posted fields with their names as sent, in the order sent ($_POST
// would turn blanks and dots in names into underscores); a name sent twice
// keeps its values joined by ", ".
function postedFields()
{
    $fields = array();
    foreach (explode('&', (string)file_get_contents('php://input')) as $pair) {
        if ($pair === '') {
            continue;
        }
        $parts = explode('=', $pair, 2);
        $name = urldecode($parts[0]);
        $value = isset($parts[1]) ? urldecode($parts[1]) : '';
        $fields[$name] = isset($fields[$name]) ? $fields[$name] . ', ' . $value : $value;
    }
    return $fields;
}

function checkedPost($post)
{
    global $KNOWN_FIELDS, $MULTI_LINE, $FIELD_LIMIT, $HONEYPOT, $FILL_TIME, $MIN_FILL_MS, $IS_ORDER,
        $FORM_NAME;
    if (isset($post[$HONEYPOT]) && $post[$HONEYPOT] !== '') {
        refuse(400, 'The form could not be accepted.');
    }
    $fill = isset($post[$FILL_TIME]) && is_string($post[$FILL_TIME]) ? $post[$FILL_TIME] : '';
    if (!preg_match('/^[0-9]{1,12}$/', $fill) || (int)$fill < $MIN_FILL_MS) {
        refuse(400, "The $FORM_NAME was sent too quickly. Please fill it in and send it again.");
    }
    $fields = array();
    foreach ($post as $name => $value) {
        $name = (string)$name;
        if ($name === $HONEYPOT || $name === $FILL_TIME) {
            continue;
        }
        if (!in_array($name, $KNOWN_FIELDS, true) || !is_string($value)) {
            refuse(400, "The $FORM_NAME sent a field it does not have.");
        }
        $limit = isset($MULTI_LINE[$name]) ? $MULTI_LINE[$name] : $FIELD_LIMIT;
        if (strlen($value) > $limit) {
            refuse(400, "The field $name is longer than the $limit characters allowed.");
        }
        if (!isset($MULTI_LINE[$name]) && preg_match('/[\r\n]/', $value)) {
            refuse(400, "The field $name must be a single line.");
        }
        if (preg_match('/[\x00-\x08\x0B\x0C\x0E-\x1F\x7F]/', $value)) {
            refuse(400, "The field $name holds control characters.");
        }
        $fields[$name] = preg_replace('/\r\n|\r|\n/', "\r\n", $value);
    }
    return $IS_ORDER ? checkedOrder($fields) : $fields;
}

function checkedOrder($fields)
{
    if (!isset($fields['DESCRIPTION']) || trim($fields['DESCRIPTION']) === ''
        || !isset($fields['AMOUNT']) || trim($fields['AMOUNT']) === '') {
        refuse(400, 'The order was sent without its items or its total. Please choose the state '
            . 'and the shipping method on the order form and send it again.');
    }
    $name = isset($fields['NameB']) ? $fields['NameB'] : (isset($fields['Name']) ? $fields['Name'] : '');
    if (trim($name) === '') {
        refuse(400, 'Please give your name on the order form.');
    }
    if (isset($fields['CCNumber'])) {
        $fields['CCNumber'] = maskedCard($fields['CCNumber']);
    }
    if (isset($fields['CCExp'])) {
        $fields['CCExp'] = '';
    }
    return $fields;
}

// The order as the mail program of a shopper would have sent the form.
function mailBody($fields)
{
    $body = '';
    foreach ($fields as $name => $value) {
        $body .= $name . '=' . $value . "\r\n";
    }
    return $body;
}

function senderOf($fields)
{
    global $ORDER_ADDRESS;
    $mail = isset($fields['E_Mail1']) ? trim($fields['E_Mail1']) : '';
    return filter_var($mail, FILTER_VALIDATE_EMAIL) !== false ? $mail : $ORDER_ADDRESS;
}

function smtpLine($socket, $line)
{
    if ($line !== null) {
        fwrite($socket, $line . "\r\n");
    }
    $reply = '';
    while (($text = fgets($socket, 1024)) !== false) {
        $reply .= $text;
        if (strlen($text) < 4 || $text[3] !== '-') {
            break;
        }
    }
    return $reply;
}

function smtpExpect($socket, $line, $code)
{
    $reply = smtpLine($socket, $line);
    if (substr($reply, 0, 3) !== $code) {
        throw new RuntimeException('the mail server answered ' . trim($reply));
    }
}

function sendBySmtp($from, $subject, $body)
{
    global $SMTP_HOST, $SMTP_PORT, $SMTP_USER, $SMTP_PASSWORD, $ORDER_ADDRESS;
    $socket = @stream_socket_client('tcp://' . $SMTP_HOST . ':' . $SMTP_PORT, $errno, $error, 20);
    if (!$socket) {
        throw new RuntimeException("cannot reach the mail server: $error");
    }
    stream_set_timeout($socket, 30);
    smtpExpect($socket, null, '220');
    smtpExpect($socket, 'EHLO localhost', '250');
    if ($SMTP_USER !== '') {
        smtpExpect($socket, 'STARTTLS', '220');
        if (!stream_socket_enable_crypto($socket, true, STREAM_CRYPTO_METHOD_TLS_CLIENT)) {
            throw new RuntimeException('TLS with the mail server failed');
        }
        smtpExpect($socket, 'EHLO localhost', '250');
        smtpExpect($socket, 'AUTH PLAIN ' . base64_encode("\0$SMTP_USER\0$SMTP_PASSWORD"), '235');
    }
    smtpExpect($socket, "MAIL FROM:<$ORDER_ADDRESS>", '250');
    smtpExpect($socket, "RCPT TO:<$ORDER_ADDRESS>", '250');
    smtpExpect($socket, 'DATA', '354');
    $message = "From: $from\r\nTo: $ORDER_ADDRESS\r\nSubject: $subject\r\n" . mailHeaders() . "\r\n"
        . preg_replace('/^\./m', '..', $body);
    smtpExpect($socket, $message . "\r\n.", '250');
    smtpLine($socket, 'QUIT');
    fclose($socket);
}

// A header value as it stands when plain ASCII, else as an encoded word.
function headerText($text)
{
    return preg_match('/^[\x20-\x7E]*$/', $text) ? $text : '=?UTF-8?B?' . base64_encode($text) . '?=';
}

function mailHeaders()
{
    return "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
        . "Content-Transfer-Encoding: 8bit\r\n";
}

function sendOrder($fields)
{
    global $ORDER_ADDRESS, $SMTP_HOST, $SUBJECT;
    $from = senderOf($fields);
    $subject = headerText($SUBJECT);
    $body = mailBody($fields);
    if ($SMTP_HOST !== '') {
        sendBySmtp($from, $subject, $body);
        return;
    }
    if (!mail($ORDER_ADDRESS, $subject, $body, "From: $from\r\n" . rtrim(mailHeaders()))) {
        throw new RuntimeException('the mail could not be handed to the mail system');
    }
}

function thanks($fields)
{
    global $THANKS_TITLE, $THANKS_TEXT;
    $rows = '';
    foreach ($fields as $name => $value) {
        if ($value === '' || $name === 'B1' || $name === 'B2') {
            continue;
        }
        $rows .= '<tr><td>' . h($name) . '</td><td>' . nl2br(h($value)) . "</td></tr>\n";
    }
    page(200, $THANKS_TITLE,
        '<p>' . h($THANKS_TEXT) . "</p>\n<table border=\"1\">\n"
        . $rows . "</table>\n");
}

if (!isSecure()) {
    refuse(403, "This $FORM_NAME only works over a secure (https) connection.");
}
if (!isset($_SERVER['REQUEST_METHOD']) || $_SERVER['REQUEST_METHOD'] !== 'POST') {
    refuse(405, "Please send your $NOUN through the $FORM_NAME.");
}
if (isset($_SERVER['CONTENT_LENGTH']) && (int)$_SERVER['CONTENT_LENGTH'] > $POST_LIMIT) {
    refuse(413, "The $NOUN is too large.");
}
$fields = checkedPost(postedFields());
try {
    sendOrder($fields);
} catch (RuntimeException $failure) {
    error_log(basename(__FILE__) . ': ' . $failure->getMessage());
    page(503, "Your $NOUN was not sent",
        "<p>Your $NOUN could not be sent just now. Please try again later.</p>\n");
}
thanks($fields);
