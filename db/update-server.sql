-- The update server's side of Quorvex: the table the program reads once at
-- start-up and the read-only account it reads it with. Run it as a MariaDB
-- administrator on the update server:
--
--     mariadb -u root < db/update-server.sql
--
-- Running it again keeps the rows and sets the account's password and rights
-- anew. The tests load the same file into their own throwaway server.

CREATE DATABASE IF NOT EXISTS corvalin_1
    CHARACTER SET gb2312 COLLATE gb2312_chinese_ci;

-- The program asks for every row with mark = 1, in the server's order, and
-- keeps the values of the last row it receives: keep exactly one such row.
-- The texts are stored in GB2312, the encoding the program asks the server
-- for, so what is stored is what the program gets; the server rejects text
-- that GB2312 cannot hold instead of sending it as '?'.
CREATE TABLE IF NOT EXISTS corvalin_1.calcvideo (
    id        INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY,
    mark      INT NOT NULL DEFAULT 0,  -- 1: the row the program reads
    ver       VARCHAR(32) NULL,        -- newest version as a decimal text, e.g. '1.02'
    note      VARCHAR(255) NULL,       -- the red notice line shown in the program
    upaddress VARCHAR(1024) NULL       -- address opened when the notice is pressed
) ENGINE = InnoDB DEFAULT CHARSET = gb2312 COLLATE = gb2312_chinese_ci;

-- Example of a release (run it with the client set to the text's encoding,
-- e.g. mariadb --default-character-set=utf8mb4):
--   UPDATE corvalin_1.calcvideo SET mark = 0;
--   INSERT INTO corvalin_1.calcvideo (mark, ver, note, upaddress)
--       VALUES (1, '1.02', '有新的版本，点击这里下载', 'https://example.com/quorvex');

-- The account the program logs in with: reading this one table, nothing else.
-- 'localhost' too, so that an anonymous local account cannot shadow it on a
-- server that resolves 127.0.0.1 to localhost. The program authenticates with
-- mysql_native_password only (on MySQL 8 write
-- IDENTIFIED WITH mysql_native_password BY 'Xe530468').
CREATE USER IF NOT EXISTS 'corvalin_1'@'%';
CREATE USER IF NOT EXISTS 'corvalin_1'@'localhost';
ALTER USER 'corvalin_1'@'%'
    IDENTIFIED VIA mysql_native_password USING PASSWORD('Xe530468');
ALTER USER 'corvalin_1'@'localhost'
    IDENTIFIED VIA mysql_native_password USING PASSWORD('Xe530468');
REVOKE ALL PRIVILEGES, GRANT OPTION FROM 'corvalin_1'@'%';
REVOKE ALL PRIVILEGES, GRANT OPTION FROM 'corvalin_1'@'localhost';
GRANT SELECT ON corvalin_1.calcvideo TO 'corvalin_1'@'%';
GRANT SELECT ON corvalin_1.calcvideo TO 'corvalin_1'@'localhost';
