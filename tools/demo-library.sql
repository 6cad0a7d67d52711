-- A few titles for the demo folder of `make run`. The image files are empty
-- stand-ins made by tools/run-demo.sh; the paths are those under Wine.
BEGIN;
INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, genre_name, media_name, sale_year, crc32, crc, kana, smart_title, modify) VALUES
 ('Z:\work\demo\roms\nes\hoshi.nes', 'hoshi', '.nes', 'ファミコン', '星のかけら物語', 'デモソフト', 'アクション', 'ファミコン カセット', '1986-07-00', '1A2B3C4D', '5E6F', 'ほしのかけらものがたり', '星のかけら物語', datetime('now','localtime')),
 ('Z:\work\demo\roms\sfc\umi.sfc', 'umi', '.sfc', 'スーパーファミコン', '海底都市の伝説', 'デモソフト', 'ロールプレイング', 'スーパーファミコン カセット', '1993-12-10', '0F1E2D3C', '4B5A', 'かいていとしのでんせつ', '海底都市の伝説', datetime('now','localtime')),
 ('Z:\work\demo\roms\pce\sora.pce', 'sora', '.pce', 'PCエンジン', 'Sora Shooter', 'Example Works', 'シューティング', 'PCエンジン Huカード', '1989-00-00', '99887766', '5544', 'そらしゅーたー', 'SORA SHOOTER', datetime('now','localtime')),
 ('Z:\work\demo\roms\msx\puzzle.rom', 'puzzle', '.rom', 'MSXシリーズ', 'ブロックパズル', 'デモソフト', 'パズル', 'MSX カートリッジ', '0', 'ABCDEF01', '2345', 'ぶろっくぱずる', 'ブロックパズル', datetime('now','localtime')),
 ('Z:\work\demo\roms\pc98\adv_1.d88', 'adv_1', '.d88', 'PC98シリーズ', '霧の館 (Disk 1)', 'Example Works', 'アドベンチャー', '3.5インチ フロッピー', '1991-04-00', '11223344', '5566', 'きりのやかた', '霧の館', datetime('now','localtime'));
INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, maker, genre_name, media_name, ply, ply_file_name, smart_title, modify) VALUES
 ('Z:\work\demo\roms\pc98\adv_2.d88', 'adv_2', '.d88', 'PC98シリーズ', '霧の館 (Disk 2)', 'Example Works', 'アドベンチャー', '3.5インチ フロッピー', 2, 'Z:\work\demo\roms\pc98\adv_1.d88', '霧の館', datetime('now','localtime'));
UPDATE main_table SET ply=1 WHERE file_name='Z:\work\demo\roms\pc98\adv_1.d88';
INSERT INTO memo_table VALUES ('Z:\work\demo\roms\nes\hoshi.nes', '2面のボスは右上から。');
INSERT INTO favorite_table VALUES ('Z:\work\demo\roms\sfc\umi.sfc', '1');
DELETE FROM tmp_maxdisk;
INSERT INTO tmp_maxdisk SELECT ply_file_name, max(ply) FROM main_table WHERE ply>1 GROUP BY ply_file_name;
COMMIT;
