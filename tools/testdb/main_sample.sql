-- Sample rows of the main database: configuration values, one service
-- order, two sales packages and the instruction rows that point at them
-- and at the boletos of the receivables database.
-- Texts contain no ";" so that no line of a text can look like the end of
-- a statement.

-- ------------------------------------------------------------------------
-- Configuration values (keys in upper case, as the lookups upper-case them)
-- ------------------------------------------------------------------------

-- Company header of service orders and conditional documents.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_EMP', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_END', 'Rua das Acácias, 1500');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_BAI', 'Centro');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_CIDUF', 'Passo Fundo/RS');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_IE', '091/0123456');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_CEP', '99010-000');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_EMAIOL', 'contato@saojoao.example');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_FON1', '(54) 3311-2233');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_FON2', '(54) 99901-2233');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('SQL_FAX', '(54) 3311-2234');

-- Logo folder and file: empty, so documents print without a logo.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTIMAGEMOS1', '');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTIMAGEMOS2', '');

-- Service-order options.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKMEMOOS_ASS', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKLOGOGRANDE', 'NAO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTDESCICAOACRES', 'Acréscimo:');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKNOTCODBAR_ITEMOS', 'NAO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKOSPRINTRECFEZCONC', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKIMPRIMIRCOMPL_OS', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('MEMOOS_ASS', '',
  'Declaro que recebi o veículo com os serviços acima executados.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Garantia de serviços conforme o Código de Defesa do Consumidor.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('MEMOOS_MEC_ORC', '',
  'Orçamento válido por 15 dias a partir da data de emissão.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Peças sujeitas à disponibilidade do fornecedor.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Serviços adicionais só serão executados após autorização do cliente.');

-- Conditional-document options.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKPRINT_TITULO_COND', 'NAO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTTITULO_COND', 'Condicional de mercadorias');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTTITULOPEDIDO', 'P E D I D O   D E   V E N D A');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTTITULO_DEVOL', '');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKPRINTCOMCONDIC', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKTRANSPORTADORCOND', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKDECLARA', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTMERDECVENDA', '2');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('MENS_CONDICIONAL', '',
  'Mercadorias em condicional devem ser devolvidas em até 3 dias úteis.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHK_COND_2CODIGO', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDT_COND_2CODIGO', '1');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKIMPNOMEPRO', 'NAO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKGRADEPRO', 'SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('EDTITENSMODCONDICION', '10 itens');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor) VALUES ('CHKTAM_VAR_CONDICION', 'SIM');

-- ------------------------------------------------------------------------
-- Products, mechanics, carriers
-- ------------------------------------------------------------------------

INSERT INTO mercadorias (cod_red, cod_ncm, cod_bar, nom_mer, ape_mer, uni_mer, REF_MER, vlr_ven)
VALUES (201, '87083090', '7891234560018', 'PASTILHA DE FREIO DIANTEIRA', 'PAST. FREIO DIANT.', 'JG', 'PF-2201', 189.90);
INSERT INTO mercadorias (cod_red, cod_ncm, cod_bar, nom_mer, ape_mer, uni_mer, REF_MER, vlr_ven)
VALUES (202, '27101932', '7891234560025', 'ÓLEO MOTOR 5W30 SINTÉTICO', 'ÓLEO 5W30', 'L', 'OL-5W30', 42.50);
INSERT INTO mercadorias (cod_red, cod_ncm, cod_bar, nom_mer, ape_mer, uni_mer, REF_MER, vlr_ven)
VALUES (101, '61051000', '7890001000108', 'CAMISA POLO MASCULINA', 'CAMISA POLO', 'UN', 'CP-101', 89.90);
INSERT INTO mercadorias (cod_red, cod_ncm, cod_bar, nom_mer, ape_mer, uni_mer, REF_MER, vlr_ven)
VALUES (102, '53091100', '7890001000207', 'TECIDO LINHO CRU', 'LINHO CRU', 'MT', 'TL-102', 32.00);
INSERT INTO mercadorias (cod_red, cod_ncm, cod_bar, nom_mer, ape_mer, uni_mer, REF_MER, vlr_ven)
VALUES (103, '64041100', '7890001000306', 'TÊNIS ESPORTIVO CORRIDA', 'TÊNIS CORRIDA', 'PR', 'TN-103', 199.90);
INSERT INTO mercadorias (cod_red, cod_ncm, cod_bar, nom_mer, ape_mer, uni_mer, REF_MER, vlr_ven)
VALUES (104, '62019300', '7890001000405', 'JAQUETA CORTA-VENTO', 'JAQUETA C-VENTO', 'UN', 'JQ-104', 259.00);

-- Grades with their own barcodes (looked up by id or by name).
INSERT INTO GRADES_PRODUTOS_P (cod_mer, id_grade, nome_gra, cod_bar) VALUES (101, 1, 'M', '7890001000115');
INSERT INTO GRADES_PRODUTOS_P (cod_mer, id_grade, nome_gra, cod_bar) VALUES (101, 2, 'G', '7890001000122');
INSERT INTO GRADES_PRODUTOS_P (cod_mer, id_grade, nome_gra, cod_bar) VALUES (103, 1, '39', '7890001000313');
INSERT INTO GRADES_PRODUTOS_P (cod_mer, id_grade, nome_gra, cod_bar) VALUES (103, 2, '40', '7890001000320');
INSERT INTO GRADES_PRODUTOS_P (cod_mer, id_grade, nome_gra, cod_bar) VALUES (104, 1, 'P', '7890001000412');

INSERT INTO Mecanico (Cod_Mec, NOM_MEC) VALUES (1, 'José Antônio Gonçalves');
INSERT INTO Mecanico (Cod_Mec, NOM_MEC) VALUES (2, 'Márcio Lúcio Brandão');

INSERT INTO Transportadores (cod_tra, nome_tra) VALUES (1, 'Expresso Planalto Transportes Ltda');

-- ------------------------------------------------------------------------
-- Service order 1234 (customer 1 of the receivables database)
-- ------------------------------------------------------------------------

-- Products 359,90 + services 470,00 + sundry 15,00 - discount 15,00 = 829,90.
-- The third line of DES_SER is longer than 100 characters (split in two rows).
INSERT INTO ordem_servico (COD_ORD, COD_CLI, DATA_ORD, DATA_FEC, DATA_VENC, HORA_ABE,
  PLA_VEI, NOM_VEI, NRO_SERIE, MARCA, QUEM_LEVOU, MODELO, KM_VEI, KM_FEITA, FROTA_VEI, OBS,
  DES_SER, ACESS_ORD, LAUDO_ORD, MEMO_FORMA_PAG, FOTO,
  STATUS_ORD, COD_FICHA, QUEM_REC, QUEM_FEZ, QUEM_CON, QUEM_RETIROU,
  TOT_PRO, TOT_SER, TOT_DIV, DESC_ACRE, TOT_ORD)
VALUES (1234, 1, '2024-03-04', '2024-03-06', '2024-03-19', '08:35:00',
  'IXH4B21', 'Caminhonete cabine dupla', 'Prata', 'Diesel', '2.0 turbo',
  'Caminhonete cabine dupla 2.0 4x4 automática', 60125.00, 60131.00, '012',
  'Cliente aguarda orçamento da suspensão traseira.',
  'Revisão dos 60.000 km conforme o manual.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Trocar as pastilhas de freio dianteiras.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Verificar ruído na suspensão dianteira ao passar em lombadas, o cliente relata que o barulho aumenta com o veículo carregado e em dias frios.',
  '9BWZZZ377VT004251' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  '30/60 dias' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  '90 dias ou 5.000 km' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  '2019/2020',
  'Pastilhas dianteiras no limite de desgaste, substituídas.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Ruído causado por bucha da bandeja ressecada, recomenda-se a troca.',
  'Cartão de crédito em 2x' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Sem entrada',
  'NAO',
  3, 'A12', 1, 2, 1, 'Cláudio Ribeirão',
  359.90, 470.00, 15.00, -15.00, 829.90);

-- Product 202 has a complement (printed alone with CHKIMPRIMIRCOMPL_OS),
-- product 201 has none.
INSERT INTO Itens_Ordem (cod_ord, nro_item, cod_mer, compl_merca, qtd_ord, vlr_uni, sub_total)
VALUES (1234, 1, 201, '', 1, 189.90, 189.90);
INSERT INTO Itens_Ordem (cod_ord, nro_item, cod_mer, compl_merca, qtd_ord, vlr_uni, sub_total)
VALUES (1234, 2, 202, 'Óleo sintético para motor diesel', 4, 42.50, 170.00);

INSERT INTO SERVICO_ORDEM (cod_ord, nro_item, tip_ser, des_ser, qtd_ser, Uni_ser, vlr_uni, sub_tot)
VALUES (1234, 1, 1, 'Mão de obra - troca das pastilhas de freio', 1, 'SV', 120.00, 120.00);
INSERT INTO SERVICO_ORDEM (cod_ord, nro_item, tip_ser, des_ser, qtd_ser, Uni_ser, vlr_uni, sub_tot)
VALUES (1234, 2, 1, 'Revisão de 60.000 km', 1, 'SV', 350.00, 350.00);
INSERT INTO SERVICO_ORDEM (cod_ord, nro_item, tip_ser, des_ser, qtd_ser, Uni_ser, vlr_uni, sub_tot)
VALUES (1234, 3, 2, 'Material de limpeza e descarte de óleo', 1, 'UN', 15.00, 15.00);

-- ------------------------------------------------------------------------
-- Sales packages
-- ------------------------------------------------------------------------

-- Package 57: customer 3 (with a record), carrier 1, discount 10,00 and
-- freight 15,00. Items 89,90 + 80,00 + 199,90 = 369,70, total 374,70.
-- Quantities 1 + 2,5 + 1 = 4,5.
INSERT INTO PACOTEVENDA (NRO_PACOTE, DATA_PCTE, COD_CLI, NOM_CLI, END_CLI, CPF_CLI,
  LINHA_OBS1, LINHA_OBS2, LINHA_OBS3, TRANSP, FORMA_PAG, FLAG_PCTE, OBS1, OBS2,
  OPERADOR, COD_VEN, COM_VEN, COD_TRA, VLR_DES, VLR_FRETE, SUB_TOT)
VALUES (57, '2024-06-12', 3, 'Maria da Conceição Löwen', 'Rua Uruguai, 1180', '153.509.460-56',
  '', '', '', '', 'A prazo', 'CA', 'Cliente levará as peças para provar em casa.', 'Devolução em até 3 dias úteis.',
  'Fernanda Gonçalves', 3, 2.5000, 1, 10.00, 15.00, 374.70);

-- Line 1: grade found by id. Line 2: no grade (falls back to the product
-- barcode). Line 3: grade found by name.
INSERT INTO ITENSPACOTE (NRO_PACOTE, NRO_ITEM, DATA_PCTE, COD_CLI, COD_VEN, COD_MER, APE_MER,
  COPLEMENTO, GRADE, Id_grade, NRO_TAB, QTD_PAR, QTD_VEN, VLR_UNI, SUB_TOT)
VALUES (57, 1, '2024-06-12', 3, 3, 101, 'CAMISA POLO', 'Manga curta, algodão', 'M', 1, 1, 0, 1, 89.900, 89.90);
INSERT INTO ITENSPACOTE (NRO_PACOTE, NRO_ITEM, DATA_PCTE, COD_CLI, COD_VEN, COD_MER, APE_MER,
  COPLEMENTO, GRADE, Id_grade, NRO_TAB, QTD_PAR, QTD_VEN, VLR_UNI, SUB_TOT)
VALUES (57, 2, '2024-06-12', 3, 3, 102, 'LINHO CRU', '', '', 0, 1, 0, 2.5, 32.000, 80.00);
INSERT INTO ITENSPACOTE (NRO_PACOTE, NRO_ITEM, DATA_PCTE, COD_CLI, COD_VEN, COD_MER, APE_MER,
  COPLEMENTO, GRADE, Id_grade, NRO_TAB, QTD_PAR, QTD_VEN, VLR_UNI, SUB_TOT)
VALUES (57, 3, '2024-06-12', 3, 3, 103, 'TÊNIS CORRIDA', 'Solado em gel', '40', 0, 1, 0, 1, 199.900, 199.90);

-- Package 58: a quote (second flag character "O") for a customer without a
-- record: TRANSP holds the phone and LINHA_OBS3 the city. No discount, no
-- freight, carrier code without a row. Its only line carries the "F6"
-- marker in characters 49-50 of COPLEMENTO.
INSERT INTO PACOTEVENDA (NRO_PACOTE, DATA_PCTE, COD_CLI, NOM_CLI, END_CLI, CPF_CLI,
  LINHA_OBS1, LINHA_OBS2, LINHA_OBS3, TRANSP, FORMA_PAG, FLAG_PCTE, OBS1, OBS2,
  OPERADOR, COD_VEN, COM_VEN, COD_TRA, VLR_DES, VLR_FRETE, SUB_TOT)
VALUES (58, '2024-06-20', 0, 'Roberto Sá Pereira', 'Rua Bento Gonçalves, 77', '861.245.730-08',
  '', '', 'Soledade/RS', '(54) 99876-5432', 'À vista', 'CO', 'Orçamento sujeito a confirmação de estoque.', '',
  'Fernanda Gonçalves', 3, 0, 0, 0.00, 0.00, 259.00);

INSERT INTO ITENSPACOTE (NRO_PACOTE, NRO_ITEM, DATA_PCTE, COD_CLI, COD_VEN, COD_MER, APE_MER,
  COPLEMENTO, GRADE, Id_grade, NRO_TAB, QTD_PAR, QTD_VEN, VLR_UNI, SUB_TOT)
VALUES (58, 1, '2024-06-20', 0, 3, 104, 'JAQUETA C-VENTO', RPAD('Sob encomenda', 48) || 'F6', 'P', 1, 1, 0, 1, 259.000, 259.00);

-- ------------------------------------------------------------------------
-- Instruction rows (Campo_Valor = instruction id)
-- ------------------------------------------------------------------------

-- 77: Bradesco, account 1: three boletos, one of 1500,00.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '77',
  'Prezado cliente, seguem os boletos referentes às suas compras.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Em caso de dúvidas, ligue (54) 3311-2233.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Após o vencimento, pague somente no banco emissor.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '77',
  'Select * from Boletos where chaveContaCorrente=1 order by chaveboleto');

-- 78: Bradesco, account 2: customer observation instead of the informative text.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '78',
  'Boleto da filial Oficina D''Avila.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Este texto não aparece: a carteira imprime a observação do cliente.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '78',
  'Select * from Boletos where chaveContaCorrente=2 order by chaveboleto');

-- 79: Sicredi booklet (three per page), account 3: seven instalments.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '79',
  'Carnê de pagamento em 7 parcelas.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Guarde os comprovantes até a quitação.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '79',
  'Select * from Boletos where chaveContaCorrente=3 order by chaveboleto');

-- 80: Sicredi full page with delivery receipt, account 4.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '80',
  'Confira os dados do boleto antes de pagar.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Devolva o comprovante de entrega assinado ao portador.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '80',
  'Select * from Boletos where chaveContaCorrente=4 order by chaveboleto');

-- 81: Sicoob, account 5: informative text.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '81',
  'Pagamento também pelo aplicativo da sua cooperativa.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Após o vencimento, multa de 2% e juros de 1% ao mês.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '81',
  'Select * from Boletos where chaveContaCorrente=5 order by chaveboleto');

-- 82: Sicoob, account 6: compact receipt (observation switched on in lower case, receipt wins).
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '82',
  'Este texto não aparece: a carteira imprime o comprovante compacto.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '82',
  'Select * from Boletos where chaveContaCorrente=6 order by chaveboleto');

-- 83: Itaú, account 7: guarantor printed.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '83',
  'Boletos com sacador/avalista.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Dúvidas: financeiro@saojoao.example');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '83',
  'Select * from Boletos where chaveContaCorrente=7 order by chaveboleto');

-- 84: Banrisul, account 8.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '84',
  'Pagável em qualquer agência até o vencimento.' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Não aceitamos pagamento em cheque.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '84',
  'Select * from Boletos where chaveContaCorrente=8 order by chaveboleto');

-- 85: Cresol, own variant (bank 133), account 9: compact receipt.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '85',
  'Este texto não aparece: a carteira imprime o comprovante compacto.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '85',
  'Select * from Boletos where chaveContaCorrente=9 order by chaveboleto');

-- 86: Cresol, Bradesco variant (bank 237), account 10: customer observation.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '86',
  'Este texto não aparece: a carteira imprime a observação do cliente.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '86',
  'Select * from Boletos where chaveContaCorrente=10 order by chaveboleto');

-- 87: selects no boleto.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '87',
  'Nenhum boleto deve ser encontrado.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '87',
  'Select * from Boletos where chaveContaCorrente=999 order by chaveboleto');

-- 88: a bank without a layout (bank 1), account 11.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '88',
  'Banco sem leiaute de boleto.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '88',
  'Select * from Boletos where chaveContaCorrente=11 order by chaveboleto');

-- 90 to 94: service order 1234 in each document kind. The informative text
-- is printed by the order layout as the instalment plan.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '90',
  'Parcela 1/2: R$ 414,95 - vencimento 05/04/2024' || ASCII_CHAR(13) || ASCII_CHAR(10) ||
  'Parcela 2/2: R$ 414,95 - vencimento 06/05/2024');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '90',
  'cod_ord=1234^segmento=MECANICA^tipo=ORDEM_SERVICO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '91',
  'Expedição: conferir as peças na entrega.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '91',
  'cod_ord=1234^segmento=MECANICA^tipo=ORDEM_SERVICO_EXPEDICAO^');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '92',
  'Orçamento sujeito a aprovação do cliente.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '92',
  'cod_ord=1234^segmento=MECANICA^tipo=ORCAMENTO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '93',
  'Orçamento para expedição, sem valores.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '93',
  'cod_ord=1234^segmento=MECANICA^tipo=ORCAMENTO_EXPEDICAO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '94',
  'Autorização para o mecânico executar os serviços.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '94',
  'cod_ord=1234^segmento=MECANICA^tipo=AUTORICAO_MECANICO');

-- 95 to 99: the sales packages.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '95',
  'Condicional de mercadorias.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '95',
  'nro=57^tipo=CONDICIONAL^valores=SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '96',
  'Pedido de venda.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '96',
  'nro=57^tipo=PACOTE^valores=SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '97',
  'Devolução de mercadorias.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '97',
  'nro=57^tipo=DEVOLUCAO^valores=SIM');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '98',
  'Condicional sem valores.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '98',
  'nro=57^tipo=CONDICIONAL^valores=NAO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', '99',
  'Orçamento para cliente sem cadastro.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', '99',
  'nro=58^tipo=CONDICIONAL^valores=SIM');

-- The ids of the main window's test buttons.
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', 'chave123',
  'Boletos de teste.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', 'chave123',
  'Select * from Boletos where chaveContaCorrente=1 order by chaveboleto');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', 'chaveOS123',
  'Ordem de serviço de teste.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', 'chaveOS123',
  'cod_ord=1234^segmento=MECANICA^tipo=ORDEM_SERVICO');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('INFORMATIVO', 'chaveCond123',
  'Condicional de teste.');
INSERT INTO Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) VALUES ('SQL', 'chaveCond123',
  'nro=57^tipo=CONDICIONAL^valores=SIM');
